#include "platform/WebEngineBrowser.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform {

BrowserFactory WebEngineBrowser::factory(QWebEngineProfile *profile)
{
    return [profile](Container *container, const QString &name, Index index, bool visible) {
        return std::unique_ptr<WebBrowser>(
            new WebEngineBrowser(container, name, index, visible, profile));
    };
}

WebEngineBrowser::WebEngineBrowser(Container *container, QString name, Index index, bool visible,
                                   QWebEngineProfile *profile)
    : WebBrowser(container, std::move(name), index, visible, new QWebEngineView, factory(profile))
{
    view()->setPage(new QWebEnginePage(profile, view()));
}

QWebEngineView *WebEngineBrowser::view() const
{
    return static_cast<QWebEngineView *>(widget());
}

void WebEngineBrowser::load(const QString &address)
{
    view()->load(QUrl(address));
}

} // namespace platform
