#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

class QWebEngineLoadingInfo;
class QWebEnginePage;

namespace platform {

// Ends the renderer process of a page that has stopped answering, so that the page's crash
// recovery takes over: a script that never yields hangs every page of its renderer, and the
// engine has no signal for that. While the page is shown, or loads an address the program
// sent it to, a trivial script makes a round trip in the program's own script world every
// few seconds; a renderer silent for longer than the timeout is ended. A frozen page runs
// nothing by design and is never counted.
class RendererWatchdog : public QObject {
    Q_OBJECT

public:
    // Belongs to `page`; the round trips run in script world `worldId`.
    RendererWatchdog(QWebEnginePage *page, quint32 worldId);

    static constexpr int kCheckMs = 3000;
    static constexpr int kTimeoutMs = 10000;
    // For tests: applies to watchdogs made afterwards.
    static void setTiming(int checkMs, int timeoutMs);

    // To be called before the program loads an address into the page.
    void loadRequested();

private:
    void handleLoadingChanged(const QWebEngineLoadingInfo &info);
    void handleCheck();
    void update();

    QWebEnginePage *m_page = nullptr;
    quint32 m_worldId = 0;
    int m_timeoutMs = kTimeoutMs;
    QTimer m_timer;
    // Since the last answer, or since watching (again) began.
    QElapsedTimer m_silence;
    bool m_loadPending = false;
    bool m_loadStarted = false;
    static int s_checkMs;
    static int s_timeoutMs;
};

} // namespace platform
