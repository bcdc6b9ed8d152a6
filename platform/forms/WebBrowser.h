#pragma once

#include "platform/forms/WindowedControl.h"

#include <functional>
#include <memory>

namespace platform {

class WebBrowser;
using BrowserFactory = std::function<std::unique_ptr<WebBrowser>(
    Container *container, const QString &name, Index index, bool visible)>;

// A page view that is pointed at an address. Callers send every address twice, through
// Navigate and then Navigate2; the pair is one page load: each Navigate loads, even the
// address already shown, and a Navigate2 that directly follows a Navigate of the same
// address on the same browser is absorbed.
class WebBrowser : public WindowedControl {
public:
    virtual void Navigate(const QString &address);
    virtual void Navigate2(const QString &address);
    // Loads again the address the browser was last sent to, whatever page it shows now.
    void Refresh();

    std::unique_ptr<WebBrowser> loadCopy(Index index) const;

protected:
    WebBrowser(Container *container, QString name, Index index, bool visible, QWidget *widget,
               BrowserFactory factory);
    virtual void load(const QString &address) = 0;

private:
    BrowserFactory m_factory;
    QString m_navigated;
    QString m_sent; // the address last loaded through Navigate or Navigate2
    bool m_pairOpen = false;
};

} // namespace platform
