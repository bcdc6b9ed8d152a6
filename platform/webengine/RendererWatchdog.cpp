#include "platform/webengine/RendererWatchdog.h"

#include "platform/webengine/ProgramLoad.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSet>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

#include <algorithm>
#include <csignal>

namespace platform {

namespace {

// Renderers ended and not yet gone: every page of a renderer watches it, and the first to
// find it silent ends it, once. An id is forgotten once its process is gone, as the system
// may give it to a later renderer.
QSet<qint64> &endedRenderers()
{
    static QSet<qint64> ended;
    return ended;
}

} // namespace

int RendererWatchdog::s_checkMs = kCheckMs;
int RendererWatchdog::s_timeoutMs = kTimeoutMs;

RendererWatchdog::RendererWatchdog(QWebEnginePage *page, const ProgramLoad *load, quint32 worldId)
    : QObject(page), m_page(page), m_load(load), m_worldId(worldId), m_pid(page->renderProcessPid())
{
    connect(&m_timer, &QTimer::timeout, this, &RendererWatchdog::handleCheck);
    connect(page, &QWebEnginePage::visibleChanged, this, &RendererWatchdog::update);
    connect(page, &QWebEnginePage::lifecycleStateChanged, this, &RendererWatchdog::update);
    connect(load, &ProgramLoad::pendingChanged, this, &RendererWatchdog::update);
    // Loads come and go through the renderer: round trips may be lost on the way, and a
    // renderer just started by one may be slow to answer the first.
    connect(page, &QWebEnginePage::loadingChanged, this, &RendererWatchdog::forgetRoundTrip);
    // A new renderer has had no chance to answer yet.
    connect(page, &QWebEnginePage::renderProcessPidChanged, this, [this](qint64 pid) {
        if (pid > 0)
            m_pid = pid;
        forgetRoundTrip();
    });
    connect(page, &QWebEnginePage::renderProcessTerminated, this, [this] {
        endedRenderers().remove(m_pid);
        forgetRoundTrip();
    });
}

void RendererWatchdog::setTiming(int checkMs, int timeoutMs)
{
    s_checkMs = checkMs;
    s_timeoutMs = timeoutMs;
}

void RendererWatchdog::forgetRoundTrip()
{
    m_roundTrip = 0;
    m_waitedMs = 0;
}

void RendererWatchdog::update()
{
    const bool watch = (m_page->isVisible() || m_load->pending()) &&
                       m_page->lifecycleState() == QWebEnginePage::LifecycleState::Active;
    if (watch == m_timer.isActive())
        return;
    forgetRoundTrip();
    if (watch) {
        m_sinceCheck.start();
        m_timer.start(s_checkMs);
    } else {
        m_timer.stop();
    }
}

void RendererWatchdog::handleCheck()
{
    // A check that comes late found the program's own thread busy, when no answer could
    // have come in: that time is not the renderer's.
    m_timer.setInterval(s_checkMs);
    m_waitedMs += std::min<qint64>(m_sinceCheck.restart(), s_checkMs);
    if (m_roundTrip == 0) {
        m_roundTrip = ++m_lastRoundTrip;
        m_waitedMs = 0;
        QPointer<RendererWatchdog> self(this);
        m_page->runJavaScript(QStringLiteral("0"), m_worldId,
                              [self, roundTrip = m_roundTrip](const QVariant &) {
                                  if (self && self->m_roundTrip == roundTrip)
                                      self->forgetRoundTrip();
                              });
        return;
    }
    if (m_waitedMs < s_timeoutMs)
        return;
    const qint64 pid = m_page->renderProcessPid();
    // A renderer inside the program (--single-process) would take the program with it.
    if (pid > 0 && pid != QCoreApplication::applicationPid() && !endedRenderers().contains(pid)) {
        endedRenderers().insert(pid);
        ::kill(pid_t(pid), SIGKILL);
    }
    forgetRoundTrip();
}

} // namespace platform
