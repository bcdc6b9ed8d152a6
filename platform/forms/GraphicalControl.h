#pragma once

#include "platform/forms/Control.h"

#include <QAccessible>

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
    bool hasClickHandler() const { return bool(m_clickHandler); }
    // A press and a release over this control, delivered by the container.
    void click();
    // The second press and release of a double-click; without a handler it is no click at all.
    void setDblClickHandler(std::function<void()> handler)
    {
        m_dblClickHandler = std::move(handler);
    }
    bool hasDblClickHandler() const { return bool(m_dblClickHandler); }
    void dblClick();
    // Held down, the control clicks again and again, as a button with auto-repeat does.
    bool autoRepeat() const { return m_autoRepeat; }
    void setAutoRepeat(bool repeat) { m_autoRepeat = repeat; }

    // Shown while the pointer rests on the control; assistive technology reads it as the
    // control's description.
    const QString &ToolTipText() const { return m_toolTipText; }
    // A change is announced to assistive technology, as a verdict arriving on a tab is.
    void setToolTipText(const QString &text);

    // What assistive technology is told of the control; one without a role is out of its
    // reach. The name is looked up each time it is asked for, so it can follow other controls.
    QAccessible::Role accessibleRole() const { return m_accessibleRole; }
    void setAccessibleRole(QAccessible::Role role);
    virtual QString accessibleName() const;
    void setAccessibleName(const QString &name);
    void setAccessibleName(std::function<QString()> source)
    {
        m_accessibleName = std::move(source);
    }
    bool accessibleSelected() const { return m_accessibleSelected; }
    void setAccessibleSelected(bool selected);

protected:
    GraphicalControl(Container *container, QString name, Index index, bool visible);
    void geometryChanged(const QRect &oldPixels) override;
    void visibilityChanged() override;
    void repaint();

private:
    friend class PaintedLayer;
    static constexpr std::size_t NoSlot = std::size_t(-1);
    std::size_t m_slot = NoSlot; // in the container's painted layer

    std::function<void()> m_clickHandler;
    std::function<void()> m_dblClickHandler;
    bool m_autoRepeat = false;
    QString m_toolTipText;
    QAccessible::Role m_accessibleRole = QAccessible::NoRole;
    std::function<QString()> m_accessibleName;
    bool m_accessibleSelected = false;
};

} // namespace platform
