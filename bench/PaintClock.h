#pragma once

#include <QObject>

#include <functional>

class QEventLoop;
class QWidget;

// Times an action on a window from its start to the end of the window's next paint, the
// moment the user can see what the action did.
class PaintClock : public QObject {
public:
    explicit PaintClock(QWidget *window);

    // Milliseconds from the start of `action` to the end of the first paint after it, or
    // after the window's next resize when `untilResized`; negative if none came in 10 s.
    double time(const std::function<void()> &action, bool untilResized = false);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_window = nullptr;
    QEventLoop *m_loop = nullptr;
    bool m_armed = false;
    bool m_waitForResize = false;
    bool m_painted = false;
    bool m_inPaint = false;
};
