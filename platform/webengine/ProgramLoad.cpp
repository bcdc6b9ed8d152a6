#include "platform/webengine/ProgramLoad.h"

#include <QUrl>
#include <QWebEngineLoadingInfo>
#include <QWebEnginePage>

namespace platform {

ProgramLoad::ProgramLoad(QWebEnginePage *page) : QObject(page), m_page(page)
{
    connect(page, &QWebEnginePage::loadingChanged, this, &ProgramLoad::handleLoadingChanged);
}

void ProgramLoad::start(const QUrl &url)
{
    // A page still loading reports no new start, and the next end it reports is this load's.
    m_started = m_page->isLoading();
    setPending(true);
    m_page->load(url);
}

void ProgramLoad::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadStartedStatus) {
        m_started = m_pending;
    } else if (m_started) {
        m_started = false;
        setPending(false);
    }
}

void ProgramLoad::setPending(bool pending)
{
    if (pending == m_pending)
        return;
    m_pending = pending;
    Q_EMIT pendingChanged(pending);
}

} // namespace platform
