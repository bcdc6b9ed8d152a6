#include "PaintClock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

PaintClock::PaintClock(QWidget *window) : m_window(window)
{
    window->installEventFilter(this);
}

double PaintClock::time(const std::function<void()> &action, bool untilResized)
{
    // Whatever was pending before the action is not part of it.
    QCoreApplication::processEvents();
    m_armed = true;
    m_waitForResize = untilResized;
    m_painted = false;
    QElapsedTimer clock;
    clock.start();
    action();
    if (!m_painted) {
        QEventLoop loop;
        m_loop = &loop;
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        m_loop = nullptr;
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    m_armed = false;
    return m_painted ? ms : -1;
}

bool PaintClock::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || !m_armed || m_inPaint)
        return false;
    if (event->type() == QEvent::Resize)
        m_waitForResize = false;
    if (event->type() != QEvent::UpdateRequest || m_waitForResize)
        return false;
    // The window paints and flushes while it handles the request: handle it here, so
    // that the clock stops when that is over.
    m_inPaint = true;
    static_cast<QObject *>(m_window)->event(event);
    m_inPaint = false;
    m_painted = true;
    if (m_loop)
        m_loop->quit();
    return true;
}
