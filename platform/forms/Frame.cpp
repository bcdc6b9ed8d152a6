#include "platform/forms/Frame.h"

#include "platform/forms/Container.h"

namespace platform {

Frame::Frame(Container *container, QString name)
    : WindowedControl(container, std::move(name), -1, true, new Container)
{
    panel()->setAutoFillBackground(true);
    panel()->setBackgroundRole(QPalette::Window);
}

void Frame::visibilityChanged()
{
    const QWidget *window = panel()->window();
    QWidget *focus = window->focusWidget();
    const bool focusInside = focus && panel()->isAncestorOf(focus);
    // Given back before the panel hides, so that the focus takes no detour to the next control.
    if (!Visible() && focusInside && m_focusBefore && m_focusBefore->isVisibleTo(window) &&
        m_focusBefore->isEnabled())
        m_focusBefore->setFocus(Qt::OtherFocusReason);
    WindowedControl::visibilityChanged();
    if (!Visible() || focusInside)
        return;
    const WindowedControl *holder = container()->focusHolder();
    if (!holder || holder->takesFocus())
        return;
    m_focusBefore = focus;
    for (WindowedControl *stop : panel()->tabStops()) {
        if (stop->takesFocus()) {
            stop->SetFocus();
            return;
        }
    }
}

Container *Frame::panel() const
{
    return static_cast<Container *>(widget());
}

} // namespace platform
