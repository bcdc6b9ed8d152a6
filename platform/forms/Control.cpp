#include "platform/forms/Control.h"

#include "platform/forms/Container.h"

namespace platform {

Control::Control(Container *container, QString name, Index index, bool visible)
    : m_container(container), m_name(std::move(name)), m_index(index), m_visible(visible)
{
}

Control::~Control() = default;

QString Control::displayName() const
{
    return m_index < 0 ? m_name : QStringLiteral("%1(%2)").arg(m_name).arg(m_index);
}

bool Control::setLeft(float twips)
{
    const QRect old = pixelRect();
    m_left = twips;
    geometryChanged(old);
    return true;
}

bool Control::setTop(float twips)
{
    const QRect old = pixelRect();
    m_top = twips;
    geometryChanged(old);
    return true;
}

bool Control::setWidth(float twips)
{
    if (!(twips >= 0))
        return false;
    const QRect old = pixelRect();
    m_width = twips;
    geometryChanged(old);
    return true;
}

bool Control::setHeight(float twips)
{
    if (!(twips >= 0))
        return false;
    const QRect old = pixelRect();
    m_height = twips;
    geometryChanged(old);
    return true;
}

void Control::setGeometry(float left, float top, float width, float height)
{
    const QRect old = pixelRect();
    m_left = left;
    m_top = top;
    m_width = width >= 0 ? width : m_width;
    m_height = height >= 0 ? height : m_height;
    geometryChanged(old);
}

void Control::setVisible(bool visible)
{
    if (m_visible == visible)
        return;
    m_visible = visible;
    visibilityChanged();
}

void Control::ZOrder(int position)
{
    if (position == 0)
        m_container->bringToFront(this);
    else
        m_container->sendToBack(this);
}

QRect Control::pixelRect() const
{
    const int x = toPixels(m_left);
    const int y = toPixels(m_top);
    return {x, y, toPixels(m_left + m_width) - x, toPixels(m_top + m_height) - y};
}

void Control::copyBaseFrom(const Control &other)
{
    const QRect old = pixelRect();
    m_left = other.m_left;
    m_top = other.m_top;
    m_width = other.m_width;
    m_height = other.m_height;
    geometryChanged(old);
}

} // namespace platform
