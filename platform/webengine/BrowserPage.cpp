#include "platform/webengine/BrowserPage.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineRegisterProtocolHandlerRequest>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

#include <algorithm>
#include <utility>

namespace platform {

namespace {

// Remembers the links the user really clicked in the main frame (scripts cannot make
// trusted events, and clicks inside sub-frames never reach it). Each such address, and
// only it, may be handed to the desktop once, within the few seconds the engine itself
// allows a popup.
const char kClickTracker[] = R"js(
(() => {
    const clicked = new Map(); // address -> time of the click
    const note = (event) => {
        if (!event.isTrusted)
            return;
        const a = event.composedPath().find((node) => node instanceof Element &&
            (node.localName == 'a' || node.localName == 'area') && node.hasAttribute('href'));
        if (a)
            clicked.set(a.href, performance.now());
    };
    addEventListener('click', note, true);
    // The middle button only: the right one opens the context menu, to copy the address.
    addEventListener('auxclick', (event) => event.button == 1 && note(event), true);
    // Focus moving into a sub-frame: the click that follows is the frame's, not ours.
    addEventListener('blur', () => clicked.clear());
    globalThis.quilletTakeLink = (address) => {
        const href = new URL(address).href;
        const fresh = performance.now() - (clicked.get(href) ?? -Infinity) < 5000;
        clicked.delete(href);
        return fresh;
    };
})();
)js";

bool isWebScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https";
}

// An address in a notice, as text that no page can style or turn into a link.
QString addressText(const QUrl &url)
{
    return QStringLiteral("<code>%1</code>").arg(url.toDisplayString().toHtmlEscaped());
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

void BrowserPage::prepareProfile(QWebEngineProfile *profile)
{
    const QString name = QStringLiteral("quillet-click-tracker");
    if (!profile->scripts()->find(name).isEmpty())
        return;
    QWebEngineScript tracker;
    tracker.setName(name);
    tracker.setSourceCode(QString::fromLatin1(kClickTracker));
    tracker.setInjectionPoint(QWebEngineScript::DocumentCreation);
    tracker.setWorldId(kProgramWorld);
    tracker.setRunsOnSubFrames(false);
    profile->scripts()->insert(tracker);
}

BrowserPage::BrowserPage(QWebEngineProfile *profile, const QList<QUrl> &homeUrls, QObject *parent)
    : QWebEnginePage(profile, parent), m_homes(homeUrls)
{
    connect(this, &QWebEnginePage::newWindowRequested, this,
            &BrowserPage::handleNewWindowRequested);
    connect(this, &QWebEnginePage::featurePermissionRequested, this,
            &BrowserPage::handleFeaturePermissionRequested);
    connect(this, &QWebEnginePage::fileSystemAccessRequested, this,
            [](QWebEngineFileSystemAccessRequest request) { request.reject(); });
    // A site asking for a password gets none and opens no dialog.
    connect(this, &QWebEnginePage::authenticationRequired, this,
            [](const QUrl &, QAuthenticator *authenticator) { *authenticator = QAuthenticator(); });
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
        if (!m_homes.isEmpty() && !isHome(url))
            return false;
        m_lastUrl = url;
        m_programLoad = true;
        return true;
    }

    // The program never goes back or forward: that would show another lookup's page, or the
    // start page, under the label of this one. Local pages (the start page) open only when
    // the program loads them.
    if (type == NavigationTypeBackForward)
        return false;
    if (isHome(url))
        return !url.host().isEmpty();
    if (type == NavigationTypeLinkClicked) {
        openOutsideIfClicked(url);
    } else if (type == NavigationTypeRedirect) {
        // The address is the page's choice: shown as text, never as the program's link.
        showNotice(tr("Sent elsewhere"),
                   tr("<p>The page at %1 sent this tab on to another site, which is not shown "
                      "here:</p><p>%2</p>")
                           .arg(addressText(m_lastUrl), addressText(url)) +
                       tr("<p><a href=\"%1\">Open that address in your web browser</a></p>")
                           .arg(url.toString(QUrl::FullyEncoded).toHtmlEscaped()));
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
    if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus &&
        info.url().scheme() != u"data") {
        m_programLoad = false;
        m_lastUrl = info.url();
    }
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
    // The page's address once the program's load is in; a navigation that turned into a
    // download or was refused leaves it alone, and so does the old address coming back
    // when the renderer died under the program's load.
    if (!m_programLoad && !url.isEmpty() && url.scheme() != u"data")
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
    // The address as a script string, compared after the page's own URL parser has read it.
    const QString address = QString::fromUtf8(
        QJsonDocument(QJsonArray{url.toString(QUrl::FullyEncoded)}).toJson(QJsonDocument::Compact));
    runJavaScript(QStringLiteral("typeof quilletTakeLink == 'function' && quilletTakeLink(%1[0])")
                      .arg(address),
                  kProgramWorld, [url](const QVariant &clicked) {
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
                   tr("<p>The page at %1 stopped working several times, so it is not loaded "
                      "again automatically.</p><p><a href=\"%2\">Load it again</a></p>")
                       .arg(addressText(m_lastUrl), link));
        return;
    }
    ++m_recoveries;
    m_reloadAfterNotice = m_lastUrl;
    showNotice(tr("Page stopped"), tr("<p>The page at %1 stopped working and is being loaded "
                                      "again.</p>")
                                       .arg(addressText(m_lastUrl)));
}

} // namespace platform
