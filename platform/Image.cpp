#include "platform/Image.h"

#include <QPainter>

namespace platform {

Image::Image(Container *container, QString name, Index index, bool visible)
    : GraphicalControl(container, std::move(name), index, visible)
{
}

void Image::setPicture(const QImage &picture)
{
    m_picture = picture;
    if (!m_stretch) {
        setWidth(toTwips(picture.width()));
        setHeight(toTwips(picture.height()));
    }
    repaint();
}

void Image::setStretch(bool stretch)
{
    m_stretch = stretch;
    repaint();
}

void Image::paint(QPainter &painter) const
{
    const QRect area = pixelRect();
    painter.setClipRect(area);
    if (m_stretch)
        painter.drawImage(area, m_picture);
    else
        painter.drawImage(QRect(area.topLeft(), m_picture.size()), m_picture);
}

std::unique_ptr<Image> Image::loadCopy(Index index) const
{
    auto copy = std::make_unique<Image>(container(), name(), index, false);
    copy->m_stretch = m_stretch;
    copy->m_picture = m_picture;
    copy->copyBaseFrom(*this);
    return copy;
}

} // namespace platform
