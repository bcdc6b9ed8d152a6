#include "RecordingBrowser.h"

#include <QWidget>

using platform::Index;

QStringList BrowserLog::loads(Index index) const
{
    QStringList addresses;
    for (const Call &call : calls) {
        if (call.index == index && call.method == QLatin1String("load"))
            addresses << call.address;
    }
    return addresses;
}

platform::BrowserFactory RecordingBrowser::factory(std::shared_ptr<BrowserLog> log)
{
    return [log](platform::Container *container, const QString &name, Index index, bool visible) {
        return std::unique_ptr<platform::WebBrowser>(
            new RecordingBrowser(container, name, index, visible, log));
    };
}

RecordingBrowser::RecordingBrowser(platform::Container *container, const QString &name, Index index,
                                   bool visible, std::shared_ptr<BrowserLog> log)
    : WebBrowser(container, name, index, visible, new QWidget, factory(log)), m_log(std::move(log))
{
    widget()->setAutoFillBackground(true);
}

void RecordingBrowser::Navigate(const QString &address)
{
    m_log->calls.append({index(), QStringLiteral("Navigate"), address});
    WebBrowser::Navigate(address);
}

void RecordingBrowser::Navigate2(const QString &address)
{
    m_log->calls.append({index(), QStringLiteral("Navigate2"), address});
    WebBrowser::Navigate2(address);
}

void RecordingBrowser::load(const QString &address)
{
    m_log->calls.append({index(), QStringLiteral("load"), address});
}
