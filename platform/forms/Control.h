#pragma once

#include "platform/forms/Twips.h"

#include <QRect>
#include <QString>

namespace platform {

class Container;

// What every control of a window has: a name (and an index inside a control array),
// twip geometry, visibility and a place in its container's z-order layer.
class Control {
public:
    virtual ~Control();
    Control(const Control &) = delete;
    Control &operator=(const Control &) = delete;

    const QString &name() const { return m_name; }
    Index index() const { return m_index; }
    // "imgTab(2)" for an array element, "imgLeft" otherwise.
    QString displayName() const;
    Container *container() const { return m_container; }
    virtual bool isWindowed() const = 0;

    float Left() const { return m_left; }
    float Top() const { return m_top; }
    float Width() const { return m_width; }
    float Height() const { return m_height; }
    // A put the control refuses (a negative size) returns false and changes nothing.
    bool setLeft(float twips);
    bool setTop(float twips);
    bool setWidth(float twips);
    bool setHeight(float twips);
    void setGeometry(float left, float top, float width, float height);

    bool Visible() const { return m_visible; }
    void setVisible(bool visible);

    // 0 brings the control to the front of its layer, 1 sends it to the back.
    void ZOrder(int position = 0);

    // Pixel rectangle inside the container; adjoining controls share their edges exactly.
    QRect pixelRect() const;

protected:
    Control(Container *container, QString name, Index index, bool visible);
    // Copies what a new control array element takes over from element 0.
    void copyBaseFrom(const Control &other);
    virtual void geometryChanged(const QRect &oldPixels) = 0;
    virtual void visibilityChanged() = 0;

private:
    bool put(float Control::*field, float twips);

    Container *m_container = nullptr;
    QString m_name;
    Index m_index = -1;
    float m_left = 0;
    float m_top = 0;
    float m_width = 0;
    float m_height = 0;
    bool m_visible = true;
};

} // namespace platform
