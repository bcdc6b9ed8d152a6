#include "platform/BrowserPage.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTimer>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// A script world of our own: the page's scripts can neither see nor change what runs here.
constexpr quint32 kClickWorld = QWebEngineScript::UserWorld;

// Notes the time of the user's last real click in the main frame (scripts cannot make
// trusted events, and clicks inside sub-frames never reach it). Each click allows one
// hand-off to the desktop, within the few seconds the engine itself allows a popup.
const char kClickTracker[] = R"js(
(() => {
    let last = -Infinity;
    const note = (event) => { if (event.isTrusted) last = performance.now(); };
    addEventListener('click', note, true);
    addEventListener('auxclick', note, true);
    // Focus moving into a sub-frame: the click that follows is the frame's, not ours.
    addEventListener('blur', () => { last = -Infinity; });
    globalThis.quilletTakeClick = () => {
        const fresh = performance.now() - last < 5000;
        last = -Infinity;
        return fresh;
    };
})();
)js";

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

// What a sub-frame may show: web content, never local files or the program's resources.
bool isFrameScheme(const QString &scheme)
{
    return isWebScheme(scheme) || scheme == u"about" || scheme == u"data" || scheme == u"blob";
}

bool sameOrigin(const QUrl &a, const QUrl &b)
{
    // Local pages (no host) have no origin to share: only the address itself matches.
    if (a.host().isEmpty() || b.host().isEmpty())
        return a.adjusted(QUrl::RemoveFragment) == b.adjusted(QUrl::RemoveFragment);
    return a.scheme() == b.scheme() && a.host() == b.host() &&
           a.port(a.scheme() == u"https" ? 443 : 80) == b.port(b.scheme() == u"https" ? 443 : 80);
}

} // namespace

BrowserPage::BrowserPage(QWebEngineProfile *profile, const QList<QUrl> &homeUrls, QObject *parent)
    : QWebEnginePage(profile, parent), m_homes(homeUrls)
{
    QWebEngineScript tracker;
    tracker.setName(QStringLiteral("quillet-click-tracker"));
    tracker.setSourceCode(QString::fromLatin1(kClickTracker));
    tracker.setInjectionPoint(QWebEngineScript::DocumentCreation);
    tracker.setWorldId(kClickWorld);
    tracker.setRunsOnSubFrames(false);
    scripts().insert(tracker);

    connect(this, &QWebEnginePage::newWindowRequested, this,
            &BrowserPage::handleNewWindowRequested);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            &BrowserPage::handleFeaturePermissionRequested);
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::registerProtocolHandlerRequested, this,
            [](QWebEngineRegisterProtocolHandlerRequest request) { request.reject(); });
    connect(this, &QWebEnginePage::renderProcessTerminated, this,
            &BrowserPage::handleRenderProcessTerminated);
    connect(this, &QWebEnginePage::visibleChanged, this, &BrowserPage::handleVisibleChanged);
    connect(this, &QWebEnginePage::loadingChanged, this, &BrowserPage::handleLoadingChanged);
    connect(this, &QWebEnginePage::urlChanged, this, &BrowserPage::handleUrlChanged);
}

bool BrowserPage::acceptNavigationRequest(const QUrl &url, NavigationType type, bool isMainFrame)
{
    if (!isMainFrame)
        return isFrameScheme(url.scheme());

    if (type == NavigationTypeTyped) {
        // Only the program loads pages itself: its addresses, its notices, its reloads.
        if (m_noticeLoad && url.scheme() == u"data") {
            m_noticeLoad = false;
            return true;
        }
        if (m_recoveryLoad) {
            m_recoveryLoad = false;
        } else {
            m_recoveries = 0;
            m_rendererGone = false;
            m_reloadAfterNotice.clear();
        }
        return m_homes.isEmpty() || isHome(url);
    }

    if (isHome(url))
        return true;
    if (type == NavigationTypeLinkClicked) {
        openOutsideIfClicked(url);
    } else if (type == NavigationTypeRedirect) {
        const QString link = url.toString(QUrl::FullyEncoded).toHtmlEscaped();
        showNotice(tr("Sent elsewhere"),
                   tr("<p>The service sent this page on to another site, which is not shown "
                      "here. A click opens it in your web browser:</p><p><a href=\"%1\">%1</a></p>")
                       .arg(link));
    }
    return false;
}

QWebEnginePage *BrowserPage::createWindow(WebWindowType)
{
    return nullptr;
}

QStringList BrowserPage::chooseFiles(FileSelectionMode, const QStringList &, const QStringList &)
{
    return {};
}

void BrowserPage::javaScriptAlert(const QUrl &, const QString &) {}

bool BrowserPage::javaScriptConfirm(const QUrl &, const QString &msg)
{
    // The engine asks through here whether a page that objects to being left may be left;
    // the program's own navigation must always win. Any other question is declined.
    static const QString leaving = QCoreApplication::translate(
        "QWebEnginePage",
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
    return msg == leaving;
}

bool BrowserPage::javaScriptPrompt(const QUrl &, const QString &, const QString &, QString *)
{
    return false;
}

void BrowserPage::handleNewWindowRequested(QWebEngineNewWindowRequest &request)
{
    // Never opened here; left unopened, the request is refused.
    if (request.isUserInitiated())
        openOutsideIfClicked(request.requestedUrl());
}

void BrowserPage::handleFeaturePermissionRequested(const QUrl &securityOrigin, Feature feature)
{
    setFeaturePermission(securityOrigin, feature, PermissionDeniedByUser);
}

void BrowserPage::handleRenderProcessTerminated(RenderProcessTerminationStatus, int)
{
    // A covered page waits until it is seen again; every page of the dead renderer is told.
    m_rendererGone = true;
    QTimer::singleShot(0, this, &BrowserPage::recover);
}

void BrowserPage::handleVisibleChanged(bool visible)
{
    if (visible && m_rendererGone)
        QTimer::singleShot(0, this, &BrowserPage::recover);
}

void BrowserPage::handleLoadingChanged(const QWebEngineLoadingInfo &info)
{
    // The notice is up: now load the page again behind it, so that it stays until the
    // page replaces it.
    if (info.status() != QWebEngineLoadingInfo::LoadStartedStatus &&
        info.url().scheme() == u"data" && !m_reloadAfterNotice.isEmpty()) {
        m_recoveryLoad = true;
        load(std::exchange(m_reloadAfterNotice, QUrl()));
    }
}

void BrowserPage::handleUrlChanged(const QUrl &url)
{
    // The page's address, or the one the program is loading; a navigation that turned into
    // a download or was refused leaves it alone.
    if (!url.isEmpty() && url.scheme() != u"data")
        m_lastUrl = url;
}

bool BrowserPage::isHome(const QUrl &url) const
{
    return std::any_of(m_homes.cbegin(), m_homes.cend(),
                       [&url](const QUrl &home) { return sameOrigin(url, home); });
}

void BrowserPage::openOutsideIfClicked(const QUrl &url)
{
    if (!url.isValid() || !isWebScheme(url.scheme()))
        return;
    runJavaScript(QStringLiteral("typeof quilletTakeClick == 'function' && quilletTakeClick()"),
                  kClickWorld, [url](const QVariant &clicked) {
                      if (clicked.toBool())
                          QDesktopServices::openUrl(url);
                  });
}

void BrowserPage::showNotice(const QString &title, const QString &bodyHtml)
{
    m_noticeLoad = true;
    setHtml(QStringLiteral("<!DOCTYPE html><html><head><meta charset=\"utf-8\">"
                           "<meta http-equiv=\"Content-Security-Policy\" "
                           "content=\"default-src 'none'; style-src 'unsafe-inline'\">"
                           "<title>%1</title><style>body { font-family: sans-serif; "
                           "font-size: 10pt; margin: 16px 20px; color: #202020; }</style>"
                           "</head><body>%2</body></html>")
                .arg(title.toHtmlEscaped(), bodyHtml));
}

void BrowserPage::recover()
{
    if (!m_rendererGone || !isVisible())
        return;
    m_rendererGone = false;
    if (m_lastUrl.isEmpty())
        return;
    if (m_recoveries >= kMaxRecoveries) {
        // Loaded again only at the user's word, one click at a time.
        const QString link = m_lastUrl.toString(QUrl::FullyEncoded).toHtmlEscaped();
        showNotice(tr("Page stopped"),
                   tr("<p>This page stopped working several times, so it is not loaded again "
                      "automatically.</p><p><a href=\"%1\">Load it again</a></p>")
                       .arg(link));
        return;
    }
    ++m_recoveries;
    m_reloadAfterNotice = m_lastUrl;
    showNotice(tr("Page stopped"),
               tr("<p>This page stopped working and is being loaded again.</p>"));
}

} // namespace platform
