#include "platform/forms/WindowedControl.h"

#include "platform/forms/Container.h"

namespace platform {

WindowedControl::WindowedControl(Container *container, QString name, Index index, bool visible,
                                 QWidget *widget)
    : Control(container, std::move(name), index, visible), m_widget(widget), m_shown(visible)
{
    widget->setParent(container);
    widget->setObjectName(displayName());
    widget->setGeometry(pixelRect());
    widget->setVisible(Visible());
    container->addWindowed(this);
}

WindowedControl::~WindowedControl()
{
    container()->removeWindowed(this);
    delete m_widget.data();
}

void WindowedControl::setFont(const QFont &font)
{
    m_widget->setFont(font);
}

void WindowedControl::copyFrom(const WindowedControl &other)
{
    m_tabIndex = other.m_tabIndex;
    m_widget->setFont(other.m_widget->font());
    copyBaseFrom(other);
}

void WindowedControl::geometryChanged(const QRect &)
{
    // A covered widget gets its place when it is shown again: every size given to a page
    // view goes on to its renderer.
    if (m_covered)
        m_placePending = true;
    else
        m_widget->setGeometry(pixelRect());
    container()->windowedPlaceChanged(this);
}

void WindowedControl::visibilityChanged()
{
    container()->windowedVisibilityChanged(this);
}

bool WindowedControl::takesFocus() const
{
    QWidget *target = m_widget;
    while (target->focusProxy())
        target = target->focusProxy();
    return m_widget->isVisibleTo(m_widget->window()) && m_widget->isEnabled() &&
           (target->focusPolicy() & Qt::TabFocus) && !container()->coversInFront(this);
}

void WindowedControl::SetFocus()
{
    m_widget->setFocus(Qt::OtherFocusReason);
}

void WindowedControl::setCovered(bool covered)
{
    m_covered = covered;
    applyShown();
}

void WindowedControl::applyShown()
{
    // Decided without touching the widget: with hundreds of elements, reaching each widget
    // would cost more than the rest of the covering pass.
    const bool shown = Visible() && !m_covered;
    if (shown == m_shown)
        return;
    m_shown = shown;
    container()->windowedShownChanged(this, shown);
    if (shown && std::exchange(m_placePending, false))
        m_widget->setGeometry(pixelRect());
    m_widget->setVisible(shown);
}

} // namespace platform
