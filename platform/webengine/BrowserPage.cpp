#include "platform/webengine/BrowserPage.h"

#include "platform/webengine/CrashRecovery.h"
#include "platform/webengine/ProgramLoad.h"

#include <QAuthenticator>
#include <QCoreApplication>
#include <QWebEngineFileSystemAccessRequest>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineRegisterProtocolHandlerRequest>

#include <algorithm>

namespace platform {

namespace {

// What a sub-frame may show: web content, never local files or the program's resources.
bool isFrameScheme(const QString &scheme)
{
    return scheme == u"http" || scheme == u"https" || scheme == u"about" || scheme == u"data" ||
           scheme == u"blob";
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
    : QWebEnginePage(profile, parent), m_homes(homeUrls), m_programLoad(new ProgramLoad(this)),
      m_recovery(new CrashRecovery(this, m_programLoad))
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
        const bool taken = m_homes.isEmpty() || isHome(url);
        m_recovery->programSends(url, taken);
        return taken;
    }

    // The program never goes back or forward: that would show another lookup's page, or the
    // start page, under the label of this one. Local pages (the start page) open only when
    // the program loads them.
    if (type == NavigationTypeBackForward)
        return false;
    if (isHome(url))
        return !url.host().isEmpty();
    if (type == NavigationTypeLinkClicked) {
        m_links.openIfClicked(url);
    } else if (type == NavigationTypeRedirect) {
        // The address is the page's choice: shown as text, never as the program's link.
        showNotice(tr("Sent elsewhere"),
                   tr("<p>The page at %1 sent this tab on to another site, which is not shown "
                      "here:</p><p>%2</p>")
                           .arg(addressText(m_recovery->lastUrl()), addressText(url)) +
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
        m_links.openIfClicked(request.requestedUrl());
}

void BrowserPage::handleFeaturePermissionRequested(const QUrl &securityOrigin, Feature feature)
{
    setFeaturePermission(securityOrigin, feature, PermissionDeniedByUser);
}

bool BrowserPage::isHome(const QUrl &url) const
{
    return std::any_of(m_homes.cbegin(), m_homes.cend(),
                       [&url](const QUrl &home) { return sameOrigin(url, home); });
}

QString BrowserPage::addressText(const QUrl &url)
{
    return QStringLiteral("<code>%1</code>").arg(url.toDisplayString().toHtmlEscaped());
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

} // namespace platform
