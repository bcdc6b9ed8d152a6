#include "platform/webengine/WebEngineBrowser.h"

#include "platform/webengine/BrowserPage.h"
#include "platform/webengine/BrowserView.h"
#include "platform/webengine/LoadScheduler.h"
#include "platform/webengine/PageFreezer.h"
#include "platform/webengine/ProgramLoad.h"
#include "platform/webengine/RendererWatchdog.h"

#include <QUrl>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace platform {

BrowserFactory WebEngineBrowser::factory(QWebEngineProfile *profile, const QList<QUrl> &homeUrls)
{
    LinkHandOff::prepareProfile(profile);
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
    auto *browserPage = new BrowserPage(profile, homeUrls, view());
    view()->setPage(browserPage);
    m_programLoad = browserPage->programLoad();
    new PageFreezer(browserPage, m_programLoad);
    new RendererWatchdog(browserPage, m_programLoad, BrowserPage::kProgramWorld);
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
    m_loads->requestLoad(view(), [this, url = QUrl(address)] { m_programLoad->start(url); });
}

} // namespace platform
