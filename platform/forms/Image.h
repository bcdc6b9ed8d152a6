#pragma once

#include "platform/forms/GraphicalControl.h"

#include <QColor>
#include <QImage>
#include <QRectF>

#include <memory>
#include <optional>

namespace platform {

// A picture on the container's surface. Unstretched, it shows the picture at its own size
// (15 twips to a pixel); stretched, it scales the picture to the control. A picture drawn to
// blend into a window fills what lies outside its shape with that window's colour: given that
// as its key colour, those pixels show the container's window colour of the moment instead.
class Image : public GraphicalControl {
public:
    Image(Container *container, QString name, Index index = -1, bool visible = true);

    const QImage &Picture() const { return m_picture; }
    // An unstretched image takes its picture's size.
    void setPicture(const QImage &picture);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool stretch);
    std::optional<QRgb> keyColour() const { return m_keyColour; }
    void setKeyColour(QRgb colour);
    // The picture as painted, the key colour replaced.
    QImage shownPicture() const;

    // A small sign painted over the picture, inside it, so that it moves with the image; told
    // apart from another by its shape as well as its colour. A copy made by Load has none.
    struct Mark {
        enum Shape { None, Disc, Ring, DotRing, Square, Query };
        Shape shape = None;
        QColor colour = {};
        QRectF place = {}; // twips from the image's top-left corner
        bool operator==(const Mark &) const = default;
    };
    const Mark &mark() const { return m_mark; }
    void setMark(const Mark &mark);

    void paint(QPainter &painter) const override;
    std::unique_ptr<Image> loadCopy(Index index) const;

private:
    void paintMark(QPainter &painter, QPoint origin) const;

    QImage m_picture;
    bool m_stretch = false;
    std::optional<QRgb> m_keyColour;
    Mark m_mark;
};

} // namespace platform
