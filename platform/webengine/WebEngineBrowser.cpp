#include "platform/webengine/WebEngineBrowser.h"

#include "platform/webengine/BrowserPage.h"
#include "platform/webengine/BrowserView.h"
#include "platform/webengine/LoadScheduler.h"
#include "platform/webengine/PageFreezer.h"
#include "platform/webengine/RendererWatchdog.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform {

BrowserFactory WebEngineBrowser::factory(QWebEngineProfile *profile, const QList<QUrl> &homeUrls)
{
    BrowserPage::prepareProfile(profile);
    return factory(profile, homeUrls, std::make_shared<LoadScheduler>());
}

BrowserFactory WebEngineBrowser::factory(QWebEngineProfile *profile, const QList<QUrl> &homeUrls,
                                         const std::shared_ptr<LoadScheduler> &loads)
{
    return [profile, homeUrls, loads](Container *container, const QString &name, Index index,
                                      bool visible) {
        return std::unique_ptr<WebBrowser>(
            new WebEngineBrowser(container, name, index, visible, profile, homeUrls, loads));
    };
}

WebEngineBrowser::WebEngineBrowser(Container *container, QString name, Index index, bool visible,
                                   QWebEngineProfile *profile, const QList<QUrl> &homeUrls,
                                   std::shared_ptr<LoadScheduler> loads)
    : WebBrowser(container, std::move(name), index, visible, new BrowserView,
                 factory(profile, homeUrls, loads)),
      m_loads(std::move(loads))
{
    view()->setPage(new BrowserPage(profile, homeUrls, view()));
    m_freezer = new PageFreezer(page());
    m_watchdog = new RendererWatchdog(page(), BrowserPage::kProgramWorld);
}

QWebEnginePage *WebEngineBrowser::page() const
{
    return view()->page();
}

QWebEngineView *WebEngineBrowser::view() const
{
    return static_cast<QWebEngineView *>(widget());
}

void WebEngineBrowser::load(const QString &address)
{
    m_loads->requestLoad(view(), [this, url = QUrl(address)] { startLoad(url); });
}

void WebEngineBrowser::startLoad(const QUrl &url)
{
    m_freezer->loadRequested();
    m_watchdog->loadRequested();
    page()->load(url);
}

} // namespace platform
