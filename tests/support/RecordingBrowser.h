#pragma once

#include "platform/forms/WebBrowser.h"

#include <QList>

#include <memory>

// What the browsers of one window were asked to do, in order.
struct BrowserLog {
    struct Call {
        platform::Index index;
        QString method; // "Navigate", "Navigate2" or "load"
        QString address;
        bool operator==(const Call &) const = default;
    };
    QList<Call> calls;

    // The page loads of one browser, in order.
    QStringList loads(platform::Index index) const;
};

// A browser that loads nothing and records every navigation, so that handlers can be
// tested without an engine or a network.
class RecordingBrowser : public platform::WebBrowser {
public:
    static platform::BrowserFactory factory(std::shared_ptr<BrowserLog> log);

    void Navigate(const QString &address) override;
    void Navigate2(const QString &address) override;

protected:
    void load(const QString &address) override;

private:
    RecordingBrowser(platform::Container *container, const QString &name, platform::Index index,
                     bool visible, std::shared_ptr<BrowserLog> log);

    std::shared_ptr<BrowserLog> m_log;
};
