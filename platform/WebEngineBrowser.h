#pragma once

#include "platform/WebBrowser.h"

class QWebEngineProfile;
class QWebEngineView;

namespace platform {

// The page view of the real program: a web engine view on a profile shared by every browser.
class WebEngineBrowser : public WebBrowser {
public:
    // Browsers made by the factory, and the copies loaded from them, use `profile`, which
    // must outlive them.
    static BrowserFactory factory(QWebEngineProfile *profile);

    QWebEngineView *view() const;

protected:
    void load(const QString &address) override;

private:
    WebEngineBrowser(Container *container, QString name, Index index, bool visible,
                     QWebEngineProfile *profile);
};

} // namespace platform
