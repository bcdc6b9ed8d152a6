#include "platform/webengine/CrashRecovery.h"

#include "platform/webengine/BrowserPage.h"
#include "platform/webengine/ProgramLoad.h"

#include <QTimer>
#include <QWebEngineLoadingInfo>

#include <utility>

namespace platform {

CrashRecovery::CrashRecovery(BrowserPage *page, ProgramLoad *load)
    : QObject(page), m_page(page), m_load(load)
{
    connect(page, &QWebEnginePage::renderProcessTerminated, this,
            &CrashRecovery::handleRenderProcessTerminated);
    connect(page, &QWebEnginePage::visibleChanged, this, &CrashRecovery::handleVisibleChanged);
    connect(page, &QWebEnginePage::loadingChanged, this, &CrashRecovery::handleLoadingChanged);
    connect(page, &QWebEnginePage::urlChanged, this, &CrashRecovery::handleUrlChanged);
}

void CrashRecovery::programSends(const QUrl &url, bool taken)
{
    if (m_reloading) {
        m_reloading = false;
    } else {
        m_recoveries = 0;
        m_rendererGone = false;
        m_reloadAfterNotice.clear();
    }
    if (taken)
        m_lastUrl = url;
}

void CrashRecovery::handleRenderProcessTerminated()
{
    // A covered page waits until it is seen again; every page of the dead renderer is told.
    m_rendererGone = true;
    QTimer::singleShot(0, this, &CrashRecovery::recover);
}

void CrashRecovery::handleVisibleChanged(bool visible)
{
    if (visible && m_rendererGone)
        QTimer::singleShot(0, this, &CrashRecovery::recover);
}

void CrashRecovery::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus &&
        info.url().scheme() != u"data")
        m_lastUrl = info.url();
    // The notice is up: now load the page again behind it, so that it stays until the
    // page replaces it.
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus &&
        info.url().scheme() == u"data" && !m_reloadAfterNotice.isEmpty()) {
        m_reloading = true;
        m_load->start(std::exchange(m_reloadAfterNotice, QUrl()));
    }
}

void CrashRecovery::handleUrlChanged(const QUrl &url)
{
    // The page's address once the program's load is in; a navigation that turned into a
    // download or was refused leaves it alone, and so does the old address coming back
    // when the renderer died under the program's load.
    if (!m_load->pending() && !url.isEmpty() && url.scheme() != u"data")
        m_lastUrl = url;
}

void CrashRecovery::recover()
{
    if (!m_rendererGone || !m_page->isVisible())
        return;
    m_rendererGone = false;
    if (m_lastUrl.isEmpty())
        return;
    if (m_recoveries >= kMaxRecoveries) {
        // Loaded again only at the user's word, one click at a time.
        const QString link = m_lastUrl.toString(QUrl::FullyEncoded).toHtmlEscaped();
        m_page->showNotice(tr("Page stopped"),
                           tr("<p>The page at %1 stopped working several times, so it is not "
                              "loaded again automatically.</p><p><a href=\"%2\">Load it "
                              "again</a></p>")
                               .arg(BrowserPage::addressText(m_lastUrl), link));
        return;
    }
    ++m_recoveries;
    m_reloadAfterNotice = m_lastUrl;
    m_page->showNotice(tr("Page stopped"),
                       tr("<p>The page at %1 stopped working and is being loaded again.</p>")
                           .arg(BrowserPage::addressText(m_lastUrl)));
}

} // namespace platform
