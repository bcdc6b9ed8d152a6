#include "platform/forms/Line.h"

#include "platform/forms/Container.h"

#include <QPainter>

namespace platform {

Line::Line(Container *container, QString name)
    : GraphicalControl(container, std::move(name), -1, true)
{
}

void Line::setX1(float twips)
{
    setEnd(m_x1, twips);
}
void Line::setY1(float twips)
{
    setEnd(m_y1, twips);
}
void Line::setX2(float twips)
{
    setEnd(m_x2, twips);
}
void Line::setY2(float twips)
{
    setEnd(m_y2, twips);
}

void Line::setBorderWidth(int pixels)
{
    repaint();
    m_borderWidth = pixels;
    repaint();
}

void Line::setBorderColor(const QColor &colour)
{
    m_borderColor = colour;
    repaint();
}

QColor Line::BorderColor() const
{
    return m_borderColor.value_or(container()->palette().color(QPalette::WindowText));
}

void Line::setEnd(float &end, float twips)
{
    repaint();
    end = twips;
    repaint();
}

void Line::paint(QPainter &painter) const
{
    QPen pen(BorderColor());
    pen.setWidth(m_borderWidth);
    pen.setCapStyle(Qt::FlatCap);
    painter.setPen(pen);
    // Offset by half a pixel so that a 2-pixel line covers whole pixel rows.
    const QPointF shift(m_borderWidth % 2 ? 0.5 : 0.0, m_borderWidth % 2 ? 0.5 : 0.0);
    painter.drawLine(QPointF(toPixels(m_x1), toPixels(m_y1)) + shift,
                     QPointF(toPixels(m_x2), toPixels(m_y2)) + shift);
}

QRect Line::paintRect() const
{
    const QRect ends =
        QRect(QPoint(toPixels(m_x1), toPixels(m_y1)), QPoint(toPixels(m_x2), toPixels(m_y2)))
            .normalized();
    const int margin = m_borderWidth + 1;
    return ends.adjusted(-margin, -margin, margin, margin);
}

} // namespace platform
