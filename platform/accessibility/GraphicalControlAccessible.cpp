#include "platform/accessibility/GraphicalControlAccessible.h"

#include "platform/forms/Container.h"
#include "platform/forms/GraphicalControl.h"

#include <QWidget>

namespace platform {

QWindow *GraphicalControlAccessible::window() const
{
    return m_control->container()->window()->windowHandle();
}

QAccessibleInterface *GraphicalControlAccessible::parent() const
{
    return QAccessible::queryAccessibleInterface(m_control->container());
}

QString GraphicalControlAccessible::text(QAccessible::Text t) const
{
    switch (t) {
    case QAccessible::Name:
        return m_control->accessibleName();
    case QAccessible::Description:
        // As for a widget, whose tool tip is its description unless it has one of its own.
        return m_control->ToolTipText();
    default:
        return {};
    }
}

QRect GraphicalControlAccessible::rect() const
{
    const QRect area = m_control->pixelRect();
    return {m_control->container()->mapToGlobal(area.topLeft()), area.size()};
}

QAccessible::Role GraphicalControlAccessible::role() const
{
    return m_control->accessibleRole();
}

QAccessible::State GraphicalControlAccessible::state() const
{
    const Container *container = m_control->container();
    QAccessible::State state;
    state.invisible = !m_control->Visible() || !container->isVisible();
    // Shifted out of its container, as tabs are by the strip's arrows.
    state.offscreen = !container->rect().intersects(m_control->pixelRect());
    state.selectable = m_control->accessibleRole() == QAccessible::PageTab;
    state.selected = m_control->accessibleSelected();
    return state;
}

void *GraphicalControlAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::ActionInterface && m_control->hasClickHandler())
        return static_cast<QAccessibleActionInterface *>(this);
    return nullptr;
}

QStringList GraphicalControlAccessible::actionNames() const
{
    return m_control->hasClickHandler() ? QStringList{pressAction()} : QStringList{};
}

void GraphicalControlAccessible::doAction(const QString &actionName)
{
    // The same as a click of the mouse; the control's handler decides what it does.
    if (actionName == pressAction())
        m_control->click();
}

} // namespace platform
