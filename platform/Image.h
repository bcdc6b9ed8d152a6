#pragma once

#include "platform/GraphicalControl.h"

#include <QImage>

#include <memory>

namespace platform {

// A picture on the container's surface. Unstretched, it shows the picture at its own size
// (15 twips to a pixel); stretched, it scales the picture to the control.
class Image : public GraphicalControl {
public:
    Image(Container *container, QString name, Index index = -1, bool visible = true);

    const QImage &Picture() const { return m_picture; }
    // An unstretched image takes its picture's size.
    void setPicture(const QImage &picture);
    bool Stretch() const { return m_stretch; }
    void setStretch(bool stretch);

    void paint(QPainter &painter) const override;
    std::unique_ptr<Image> loadCopy(Index index) const;

private:
    QImage m_picture;
    bool m_stretch = false;
};

} // namespace platform
