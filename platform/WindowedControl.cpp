#include "platform/WindowedControl.h"

#include "platform/Container.h"

namespace platform {

WindowedControl::WindowedControl(Container *container, QString name, Index index, bool visible,
                                 QWidget *widget)
    : Control(container, std::move(name), index, visible), m_widget(widget)
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
    m_widget->setGeometry(pixelRect());
    Q_EMIT container()->windowedLayerChanged();
}

void WindowedControl::visibilityChanged()
{
    m_widget->setVisible(Visible());
    Q_EMIT container()->windowedLayerChanged();
}

} // namespace platform
