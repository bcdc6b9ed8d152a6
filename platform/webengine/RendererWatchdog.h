#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWebEnginePage;

namespace platform {

class ProgramLoad;

// Ends the renderer process of a page that has stopped answering, so that the page's crash
// recovery takes over: a script that never yields hangs every page of its renderer, and the
// engine has no signal for that. While the page is shown, or loads an address the program
// sent it to, a trivial script makes a round trip in the program's own script world, one at
// a time; a renderer is ended only when a round trip sent at least the timeout ago has not
// come back, counting only the time the program's own thread was free to take the answer. A
// frozen page runs nothing by design and is never watched; the program itself (a renderer
// run inside it) is never ended.
class RendererWatchdog : public QObject {
    Q_OBJECT

public:
    // Belongs to `page`, whose own loads by the program are `load`; the round trips run in
    // script world `worldId`.
    RendererWatchdog(QWebEnginePage *page, const ProgramLoad *load, quint32 worldId);

    static constexpr int kCheckMs = 3000;
    static constexpr int kTimeoutMs = 10000;
    // For tests: applies from each watchdog's next check.
    static void setTiming(int checkMs, int timeoutMs);

private:
    void handleCheck();
    void update();
    // The round trip under way, if any, no longer counts: the renderer may have changed.
    void forgetRoundTrip();

    QWebEnginePage *m_page = nullptr;
    const ProgramLoad *m_load = nullptr;
    quint32 m_worldId = 0;
    QTimer m_timer;
    // Since the last check, to tell a stall of the program's own thread.
    QElapsedTimer m_sinceCheck;
    // The round trip under way (0: none) and how long it has waited while the program ran.
    quint64 m_roundTrip = 0;
    quint64 m_lastRoundTrip = 0;
    qint64 m_waitedMs = 0;
    // The renderer this page last had, to be forgotten as ended once it is gone.
    qint64 m_pid = 0;
    static int s_checkMs;
    static int s_timeoutMs;
};

} // namespace platform
