#include "platform/forms/GraphicalControl.h"

#include "platform/accessibility/ContainerAccessible.h"
#include "platform/forms/Container.h"

namespace platform {

GraphicalControl::GraphicalControl(Container *container, QString name, Index index, bool visible)
    : Control(container, std::move(name), index, visible)
{
    container->addGraphical(this);
}

GraphicalControl::~GraphicalControl()
{
    ContainerAccessible::controlDestroyed(this);
    container()->removeGraphical(this);
}

void GraphicalControl::click()
{
    if (m_clickHandler)
        m_clickHandler();
}

void GraphicalControl::dblClick()
{
    if (m_dblClickHandler)
        m_dblClickHandler();
}

void GraphicalControl::setToolTipText(const QString &text)
{
    if (m_toolTipText == text)
        return;
    m_toolTipText = text;
    ContainerAccessible::descriptionChanged(this);
}

void GraphicalControl::setAccessibleRole(QAccessible::Role role)
{
    m_accessibleRole = role;
    // Whether it is among its container's accessible children changes with it.
    repaint();
}

QString GraphicalControl::accessibleName() const
{
    return m_accessibleName ? m_accessibleName() : QString();
}

void GraphicalControl::setAccessibleName(const QString &name)
{
    m_accessibleName = [name] { return name; };
}

void GraphicalControl::setAccessibleSelected(bool selected)
{
    if (m_accessibleSelected == selected)
        return;
    m_accessibleSelected = selected;
    ContainerAccessible::selectionChanged(this);
}

void GraphicalControl::geometryChanged(const QRect &oldPixels)
{
    container()->repaintArea(oldPixels);
    repaint();
}

void GraphicalControl::visibilityChanged()
{
    repaint();
}

void GraphicalControl::repaint()
{
    container()->graphicalChanged(this);
}

} // namespace platform
