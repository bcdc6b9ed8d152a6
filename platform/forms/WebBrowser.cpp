#include "platform/forms/WebBrowser.h"

namespace platform {

WebBrowser::WebBrowser(Container *container, QString name, Index index, bool visible,
                       QWidget *widget, BrowserFactory factory)
    : WindowedControl(container, std::move(name), index, visible, widget),
      m_factory(std::move(factory))
{
    // A page is reached by Tab like any control, also before it has anything to show.
    widget->setFocusPolicy(Qt::StrongFocus);
}

void WebBrowser::Navigate(const QString &address)
{
    m_navigated = address;
    m_pairOpen = true;
    m_sent = address;
    load(address);
}

void WebBrowser::Navigate2(const QString &address)
{
    const bool samePair = m_pairOpen && address == m_navigated;
    m_pairOpen = false;
    if (!samePair) {
        m_sent = address;
        load(address);
    }
}

void WebBrowser::Refresh()
{
    if (!m_sent.isEmpty())
        load(m_sent);
}

std::unique_ptr<WebBrowser> WebBrowser::loadCopy(Index index) const
{
    std::unique_ptr<WebBrowser> copy = m_factory(container(), name(), index, false);
    copy->copyFrom(*this);
    return copy;
}

} // namespace platform
