#pragma once

#include "platform/Control.h"

#include <functional>

class QPainter;

namespace platform {

// A control painted by its container rather than being a widget of its own: cheap enough
// for hundreds of tab pictures and captions.
class GraphicalControl : public Control {
public:
    ~GraphicalControl() override;

    bool isWindowed() const final { return false; }
    virtual void paint(QPainter &painter) const = 0;
    // The area the control paints, in container pixels.
    virtual QRect paintRect() const { return pixelRect(); }
    virtual bool takesClicks() const { return true; }

    void setClickHandler(std::function<void()> handler) { m_clickHandler = std::move(handler); }
    // A press and a release over this control, delivered by the container.
    void click();

protected:
    GraphicalControl(Container *container, QString name, Index index, bool visible);
    void geometryChanged(const QRect &oldPixels) override;
    void visibilityChanged() override;
    void repaint() const;

private:
    std::function<void()> m_clickHandler;
};

} // namespace platform
