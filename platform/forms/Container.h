#pragma once

#include "platform/forms/ElementCovering.h"
#include "platform/forms/PaintedLayer.h"

#include <QBasicTimer>
#include <QImage>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <list>
#include <unordered_map>

namespace platform {

class Control;
class GraphicalControl;
class WindowedControl;

// A surface that holds controls in two z-order layers. Graphical controls (images, labels,
// lines) are painted here, back to front, and a click goes to the frontmost one under the
// pointer. Windowed controls are child widgets, so they always lie above every graphical one.
// An element of a control array that a Visible element of the same array in front of it
// covers whole is a hidden widget (see ElementCovering); it gets its place when shown again.
// The keyboard focus moves in TabIndex order over the windowed controls of a window and of
// the frames in it, and only to what the user can see.
class Container : public QWidget {
    Q_OBJECT

public:
    explicit Container(QWidget *parent = nullptr);
    ~Container() override;

    // Each layer's order, front to back, by control name and index.
    QStringList graphicalOrder() const;
    QStringList windowedOrder() const;
    // Windowed controls, front to back.
    std::vector<WindowedControl *> windowedControls() const;
    // Graphical controls, front to back.
    std::vector<GraphicalControl *> graphicalControls() const;

    GraphicalControl *graphicalAt(const QPoint &pixels) const;

    // The windowed controls of this container and of the frames in it, in TabIndex order;
    // elements of an array, which share theirs, front to back.
    std::vector<WindowedControl *> tabStops() const;
    // True when a shown windowed control in front of `control` covers it whole.
    bool coversInFront(const WindowedControl *control) const;
    // The tab stop that holds the window's focus, or null.
    WindowedControl *focusHolder() const;

    // Wheel turns over `twips` (a region of this container) in whole notches: positive when
    // turned down or right, negative up or left. The small steps of a high-resolution wheel
    // or a touchpad add up to notches.
    void setWheelHandler(const QRectF &twips, std::function<void(int notches)> handler);
    // A menu of `items` for a right-click over `twips`, and for the context menu key while the
    // pointer is there.
    struct MenuItem {
        QString text;
        std::function<void()> action;
    };
    void setContextMenu(const QRectF &twips, std::vector<MenuItem> items);

    // Drawn unscaled at the top-left corner, beneath every graphical control.
    void setPicture(const QImage &picture);

    // Counts changes to what assistive technology reads as the container's children: the
    // members of either layer, their order and places, which elements are covered.
    quint64 childrenVersion() const { return m_graphicalVersion + m_windowedVersion; }

    // To the front or the back of its layer.
    void reorder(Control *control, bool toFront);

    // Used by the controls themselves.
    void addGraphical(GraphicalControl *control);
    void removeGraphical(GraphicalControl *control);
    // After a change to where or whether the control paints or takes clicks.
    void graphicalChanged(GraphicalControl *control);
    void addWindowed(WindowedControl *control);
    void removeWindowed(WindowedControl *control);
    void windowedVisibilityChanged(WindowedControl *control);
    void windowedPlaceChanged(WindowedControl *control);
    // Its widget was shown or hidden.
    void windowedShownChanged(WindowedControl *control, bool shown);
    ElementCovering &covering() { return m_covering; }
    void repaintArea(const QRect &pixels);

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // False if it is there already.
    bool moveWindowed(WindowedControl *control, bool toFront);
    void press(QMouseEvent *event, bool second);

    PaintedLayer m_painted;
    std::list<WindowedControl *> m_windowed; // back to front
    std::unordered_map<WindowedControl *, std::list<WindowedControl *>::iterator> m_windowedPos;
    GraphicalControl *m_pressed = nullptr;
    QPoint m_pressedAt;
    bool m_pressedSecond = false; // the second press of a double-click
    bool m_pressedInside = false;
    QBasicTimer m_repeat;
    QRectF m_wheelRegion;
    std::function<void(int)> m_wheelHandler;
    int m_wheelRest = 0; // eighths of a degree short of a notch
    QRectF m_menuRegion;
    std::vector<MenuItem> m_menuItems;
    // Counts changes to the graphical layer: places, looks, order.
    quint64 m_graphicalVersion = 0;
    quint64 m_pressedVersion = 0;
    // Counts changes to the windowed layer: members, order, which widgets are shown.
    quint64 m_windowedVersion = 0;
    // What lies inside the container, back to front, as of the last paint. Valid while the
    // layer and the container's size are unchanged since, and far quicker to walk.
    void noteShown();
    std::vector<PaintedLayer::Entry> m_shown;
    quint64 m_shownVersion = ~quint64(0);
    QImage m_picture;
    ElementCovering m_covering;
};

} // namespace platform
