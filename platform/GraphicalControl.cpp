#include "platform/GraphicalControl.h"

#include "platform/Container.h"

namespace platform {

GraphicalControl::GraphicalControl(Container *container, QString name, Index index, bool visible)
    : Control(container, std::move(name), index, visible)
{
    container->addGraphical(this);
}

GraphicalControl::~GraphicalControl()
{
    container()->removeGraphical(this);
}

void GraphicalControl::click()
{
    if (m_clickHandler)
        m_clickHandler();
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

void GraphicalControl::repaint() const
{
    container()->repaintArea(paintRect());
}

} // namespace platform
