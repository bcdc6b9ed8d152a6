#pragma once

#include "platform/forms/WebBrowser.h"

#include <QList>
#include <QUrl>

#include <memory>

class QWebEnginePage;
class QWebEngineProfile;
class QWebEngineView;

namespace platform {

class LoadScheduler;
class ProgramLoad;

// The page view of the real program: a web engine view on a profile shared by every browser.
// While the view is hidden, a page that has loaded is frozen; it is never discarded. A
// renderer that stops answering is ended, so that its pages recover. A hidden browser's load
// waits, briefly, until the shown one has painted its new page.
class WebEngineBrowser : public WebBrowser {
public:
    // Browsers made by the factory, and the copies loaded from them, use `profile`, which
    // must outlive them. Their main frames stay on the origins of `homeUrls`.
    static BrowserFactory factory(QWebEngineProfile *profile, const QList<QUrl> &homeUrls = {});

    QWebEngineView *view() const;
    QWebEnginePage *page() const;

protected:
    void load(const QString &address) override;

private:
    WebEngineBrowser(Container *container, QString name, Index index, bool visible,
                     QWebEngineProfile *profile, const QList<QUrl> &homeUrls,
                     std::shared_ptr<LoadScheduler> loads);
    static BrowserFactory factory(QWebEngineProfile *profile, const QList<QUrl> &homeUrls,
                                  const std::shared_ptr<LoadScheduler> &loads);

    std::shared_ptr<LoadScheduler> m_loads; // shared by every browser of the factory
    ProgramLoad *m_programLoad = nullptr;   // the page's
};

} // namespace platform
