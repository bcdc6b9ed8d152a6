#include "platform/WebBrowser.h"

namespace platform {

WebBrowser::WebBrowser(Container *container, QString name, Index index, bool visible,
                       QWidget *widget, BrowserFactory factory)
    : WindowedControl(container, std::move(name), index, visible, widget),
      m_factory(std::move(factory))
{
}

void WebBrowser::Navigate(const QString &address)
{
    m_navigated = address;
    m_pairOpen = true;
    load(address);
}

void WebBrowser::Navigate2(const QString &address)
{
    const bool samePair = m_pairOpen && address == m_navigated;
    m_pairOpen = false;
    if (!samePair)
        load(address);
}

std::unique_ptr<WebBrowser> WebBrowser::loadCopy(Index index) const
{
    std::unique_ptr<WebBrowser> copy = m_factory(container(), name(), index, false);
    copy->copyFrom(*this);
    return copy;
}

} // namespace platform
