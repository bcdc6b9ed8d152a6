#pragma once

#include <QTimer>

#include <functional>

namespace platform {

// A timer control: while enabled it calls its handler every Interval milliseconds.
class Timer {
public:
    Timer() = default;

    bool Enabled() const { return m_timer.isActive(); }
    void setEnabled(bool enabled);
    int Interval() const { return m_timer.interval(); }
    void setInterval(int milliseconds) { m_timer.setInterval(milliseconds); }
    void setTimerHandler(std::function<void()> handler);

private:
    QTimer m_timer;
};

} // namespace platform
