#include "platform/forms/Image.h"

#include "platform/forms/Container.h"

#include <QPainter>

#include <algorithm>
#include <map>
#include <tuple>

namespace platform {

namespace {

// The picture with every pixel of the key colour replaced. The elements of a control array
// share their picture, so they share its replacement too.
QImage replaceKey(const QImage &picture, QRgb key, QRgb fill)
{
    static std::map<std::tuple<qint64, QRgb, QRgb>, QImage> made;
    const std::tuple which(picture.cacheKey(), key, fill);
    if (const auto it = made.find(which); it != made.end())
        return it->second;

    QImage image = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                     : QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        std::replace(line, line + image.width(), key, fill);
    }
    // A few pictures under a few palettes; old ones go when the palette changes often.
    if (made.size() >= 64)
        made.clear();
    made.emplace(which, image);
    return image;
}

} // namespace

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

void Image::setKeyColour(QRgb colour)
{
    m_keyColour = qRgb(qRed(colour), qGreen(colour), qBlue(colour));
    repaint();
}

QImage Image::shownPicture() const
{
    if (!m_keyColour)
        return m_picture;
    return replaceKey(m_picture, *m_keyColour,
                      container()->palette().color(QPalette::Window).rgb());
}

void Image::paint(QPainter &painter) const
{
    const QRect area = pixelRect();
    const QImage picture = shownPicture();
    painter.setClipRect(area);
    if (m_stretch)
        painter.drawImage(area, picture);
    else
        painter.drawImage(QRect(area.topLeft(), picture.size()), picture);
}

std::unique_ptr<Image> Image::loadCopy(Index index) const
{
    auto copy = std::make_unique<Image>(container(), name(), index, false);
    copy->m_stretch = m_stretch;
    copy->m_picture = m_picture;
    copy->m_keyColour = m_keyColour;
    copy->copyBaseFrom(*this);
    return copy;
}

} // namespace platform
