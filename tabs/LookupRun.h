#pragma once

#include "platform/forms/Twips.h"

#include <QString>

#include <functional>

class FrmSearchControls;
namespace platform {
class Dialogs;
}

// "Look up": one lookup per suffix in use, the first in result tab 0, each further one in a
// new result tab appended to the strip.
class LookupRun {
public:
    // Far below the 16-bit index range, since every tab holds a live browser.
    static constexpr int DefaultTabLimit = 1000;

    LookupRun(FrmSearchControls &form, QString lookupBaseUrl, platform::Dialogs &dialogs);

    void cmdSearch_Click();
    // Adds one result tab for `PreFix` and starts its lookup; false when no further tab
    // can be made.
    bool new_lookup(const QString &PreFix);

    // What result tab `index` holds, shown on its picture and caption and read out as its
    // description.
    void describeTab(platform::Index index, const QString &holds);

    // Told of each tab a lookup fills with a domain, and then that the lookup is done.
    using TabFilledHandler =
        std::function<void(platform::Index tab, const QString &label, const QString &suffix)>;
    void setTabFilledHandler(TabFilledHandler handler) { m_tabFilled = std::move(handler); }
    void setLookupDoneHandler(std::function<void()> handler) { m_lookupDone = std::move(handler); }

    int tabLimit() const { return m_tabLimit; }
    void setTabLimit(int tabs) { m_tabLimit = tabs; }

private:
    // The label as typed, without the white space around it, which no domain has.
    QString label() const;
    QString address(const QString &PreFix) const;

    FrmSearchControls &m_form;
    QString m_lookupBaseUrl;
    platform::Dialogs &m_dialogs;
    int m_tabLimit = DefaultTabLimit;
    TabFilledHandler m_tabFilled;
    std::function<void()> m_lookupDone;
};
