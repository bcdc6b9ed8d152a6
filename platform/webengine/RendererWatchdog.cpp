#include "platform/webengine/RendererWatchdog.h"

#include <QPointer>
#include <QSet>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

#include <csignal>

namespace platform {

int RendererWatchdog::s_checkMs = kCheckMs;
int RendererWatchdog::s_timeoutMs = kTimeoutMs;

RendererWatchdog::RendererWatchdog(QWebEnginePage *page, quint32 worldId)
    : QObject(page), m_page(page), m_worldId(worldId), m_timeoutMs(s_timeoutMs)
{
    m_timer.setInterval(s_checkMs);
    connect(&m_timer, &QTimer::timeout, this, &RendererWatchdog::handleCheck);
    connect(page, &QWebEnginePage::visibleChanged, this, &RendererWatchdog::update);
    connect(page, &QWebEnginePage::lifecycleStateChanged, this, &RendererWatchdog::update);
    connect(page, &QWebEnginePage::loadingChanged, this, &RendererWatchdog::handleLoadingChanged);
    // A new renderer has had no chance to answer yet.
    connect(page, &QWebEnginePage::renderProcessPidChanged, this, [this] {
        if (m_silence.isValid())
            m_silence.restart();
    });
}

void RendererWatchdog::setTiming(int checkMs, int timeoutMs)
{
    s_checkMs = checkMs;
    s_timeoutMs = timeoutMs;
}

void RendererWatchdog::loadRequested()
{
    m_loadPending = true;
    m_loadStarted = false;
    update();
}

void RendererWatchdog::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // Loads come and go through the renderer: round trips may be lost on the way, and a
    // renderer just started by one may be slow to answer the first.
    if (m_silence.isValid())
        m_silence.restart();
    // The end of a load that was under way before the program's own started is not its end.
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_loadStarted = m_loadPending;
    } else if (m_loadStarted) {
        m_loadPending = m_loadStarted = false;
        update();
    }
}

void RendererWatchdog::update()
{
    const bool watch = (m_page->isVisible() || m_loadPending) &&
                       m_page->lifecycleState() == QWebEnginePage::LifecycleState::Active;
    if (watch == m_timer.isActive())
        return;
    if (watch) {
        m_silence.start();
        m_timer.start();
    } else {
        m_timer.stop();
        m_silence.invalidate();
    }
}

void RendererWatchdog::handleCheck()
{
    if (m_silence.elapsed() < m_timeoutMs) {
        QPointer<RendererWatchdog> self(this);
        m_page->runJavaScript(QStringLiteral("0"), m_worldId, [self](const QVariant &) {
            if (self && self->m_silence.isValid())
                self->m_silence.restart();
        });
        return;
    }
    // Every page of a renderer watches it: the first to find it silent ends it, once.
    static QSet<qint64> ended;
    const qint64 pid = m_page->renderProcessPid();
    if (pid > 0 && !ended.contains(pid)) {
        ended.insert(pid);
        ::kill(pid_t(pid), SIGKILL);
    }
    m_silence.restart();
}

} // namespace platform
