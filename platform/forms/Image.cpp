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
    paintMark(painter, area.topLeft());
}

void Image::setMark(const Mark &mark)
{
    if (mark == m_mark)
        return;
    m_mark = mark;
    repaint();
}

void Image::paintMark(QPainter &painter, QPoint origin) const
{
    if (m_mark.shape == Mark::None)
        return;
    // In device-independent pixels: at 2x the shapes are drawn with twice the detail.
    const QRectF place(QPointF(origin) + m_mark.place.topLeft() / TwipsPerPixel,
                       m_mark.place.size() / TwipsPerPixel);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (m_mark.shape) {
    case Mark::Disc:
        painter.setPen(Qt::NoPen);
        painter.setBrush(m_mark.colour);
        painter.drawEllipse(place);
        break;
    case Mark::Ring:
    case Mark::DotRing: {
        const qreal stroke = place.width() / 5;
        painter.setPen(QPen(m_mark.colour, stroke));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(place.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));
        if (m_mark.shape == Mark::DotRing) {
            // A dot in the middle, clear of the ring.
            painter.setPen(Qt::NoPen);
            painter.setBrush(m_mark.colour);
            painter.drawEllipse(place.center(), stroke * 0.8, stroke * 0.8);
        }
        break;
    }
    case Mark::Square: {
        const qreal stroke = place.width() / 5;
        painter.setPen(QPen(m_mark.colour, stroke, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(place.adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2));
        break;
    }
    case Mark::Query: {
        QFont font = painter.font();
        font.setBold(true);
        font.setPixelSize(qRound(place.height() * 1.2));
        painter.setFont(font);
        painter.setPen(m_mark.colour);
        painter.drawText(place, Qt::AlignCenter, QStringLiteral("?"));
        break;
    }
    case Mark::None:
        break;
    }
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
