#include "platform/webengine/LinkHandOff.h"

#include "platform/webengine/BrowserPage.h"

#include <QDesktopServices>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>

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

} // namespace

void LinkHandOff::prepareProfile(QWebEngineProfile *profile)
{
    const QString name = QStringLiteral("quillet-click-tracker");
    if (!profile->scripts()->find(name).isEmpty())
        return;
    QWebEngineScript tracker;
    tracker.setName(name);
    tracker.setSourceCode(QString::fromLatin1(kClickTracker));
    tracker.setInjectionPoint(QWebEngineScript::DocumentCreation);
    tracker.setWorldId(BrowserPage::kProgramWorld);
    tracker.setRunsOnSubFrames(false);
    profile->scripts()->insert(tracker);
}

LinkHandOff::LinkHandOff(QWebEnginePage *page) : m_page(page) {}

void LinkHandOff::openIfClicked(const QUrl &url) const
{
    if (!url.isValid() || (url.scheme() != u"http" && url.scheme() != u"https"))
        return;
    // The address as a script string, compared after the page's own URL parser has read it.
    const QString address = QString::fromUtf8(
        QJsonDocument(QJsonArray{url.toString(QUrl::FullyEncoded)}).toJson(QJsonDocument::Compact));
    m_page->runJavaScript(
        QStringLiteral("typeof quilletTakeLink == 'function' && quilletTakeLink(%1[0])")
            .arg(address),
        BrowserPage::kProgramWorld, [url](const QVariant &clicked) {
            if (clicked.toBool())
                QDesktopServices::openUrl(url);
        });
}

} // namespace platform
