#pragma once

#include "platform/forms/GraphicalControl.h"

#include <QColor>

#include <optional>

namespace platform {

// A solid line between two points given in twips, in the window-text colour unless it has a
// colour of its own.
// Lines take no clicks: a click passes to whatever lies beneath.
class Line : public GraphicalControl {
public:
    Line(Container *container, QString name);

    float X1() const { return m_x1; }
    float Y1() const { return m_y1; }
    float X2() const { return m_x2; }
    float Y2() const { return m_y2; }
    void setX1(float twips);
    void setY1(float twips);
    void setX2(float twips);
    void setY2(float twips);
    int BorderWidth() const { return m_borderWidth; }
    void setBorderWidth(int pixels);
    QColor BorderColor() const;
    void setBorderColor(const QColor &colour);

    void paint(QPainter &painter) const override;
    QRect paintRect() const override;
    bool takesClicks() const override { return false; }

private:
    void setEnd(float &end, float twips);

    float m_x1 = 0;
    float m_y1 = 0;
    float m_x2 = 0;
    float m_y2 = 0;
    int m_borderWidth = 1;
    std::optional<QColor> m_borderColor;
};

} // namespace platform
