#pragma once

#include <QImage>
#include <QStringList>
#include <QWidget>

#include <list>
#include <unordered_map>

namespace platform {

class Control;
class GraphicalControl;
class WindowedControl;

// A surface that holds controls in two z-order layers. Graphical controls (images, labels,
// lines) are painted here, back to front, and a click goes to the frontmost one under the
// pointer. Windowed controls are child widgets, so they always lie above every graphical one.
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

    // Drawn unscaled at the top-left corner, beneath every graphical control.
    void setPicture(const QImage &picture);

    void bringToFront(Control *control);
    void sendToBack(Control *control);

    // Used by the controls themselves.
    void addGraphical(GraphicalControl *control);
    void removeGraphical(GraphicalControl *control);
    void addWindowed(WindowedControl *control);
    void removeWindowed(WindowedControl *control);
    void repaintArea(const QRect &pixels);

Q_SIGNALS:
    // The windowed layer's order, or a windowed control's place or visibility, changed.
    void windowedLayerChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    template <class T> using Layer = std::list<T *>; // back to front
    template <class T>
    static void move(Layer<T> &layer, std::unordered_map<T *, typename Layer<T>::iterator> &where,
                     T *control, bool toFront);

    Layer<GraphicalControl> m_graphical;
    std::unordered_map<GraphicalControl *, Layer<GraphicalControl>::iterator> m_graphicalPos;
    Layer<WindowedControl> m_windowed;
    std::unordered_map<WindowedControl *, Layer<WindowedControl>::iterator> m_windowedPos;
    GraphicalControl *m_pressed = nullptr;
    QImage m_picture;
};

} // namespace platform
