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

bool Control::put(float Control::*field, float twips)
{
    // A place may lie anywhere; a size must not be negative.
    const bool isSize = field == &Control::m_width || field == &Control::m_height;
    if (isSize && !(twips >= 0))
        return false;
    const QRect old = pixelRect();
    this->*field = twips;
    geometryChanged(old);
    return true;
}

bool Control::setLeft(float twips)
{
    return put(&Control::m_left, twips);
}

bool Control::setTop(float twips)
{
    return put(&Control::m_top, twips);
}

bool Control::setWidth(float twips)
{
    return put(&Control::m_width, twips);
}

bool Control::setHeight(float twips)
{
    return put(&Control::m_height, twips);
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
    m_container->reorder(this, position == 0);
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
