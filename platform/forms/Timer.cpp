#include "platform/forms/Timer.h"

namespace platform {

void Timer::setEnabled(bool enabled)
{
    if (enabled)
        m_timer.start();
    else
        m_timer.stop();
}

void Timer::setTimerHandler(std::function<void()> handler)
{
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, std::move(handler));
}

} // namespace platform
