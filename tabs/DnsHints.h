#pragma once

#include "platform/dns/NameServerLookup.h"
#include "platform/forms/Twips.h"
#include "tabs/DnsHint.h"

#include <vector>

class FrmSearchControls;
class LookupRun;

// Asks DNS about every result tab's domain and shows the answer on that tab: its mark and
// its words. Each tab waits for the answer to its latest question only, so an answer for an
// earlier lookup never marks a tab that has since been given another domain (tab 0). A new
// lookup's questions go out before those of earlier lookups still waiting their turn.
class DnsHints {
public:
    DnsHints(FrmSearchControls &form, LookupRun &run, platform::NameServerLookup &lookup);
    ~DnsHints();

    // Tab `tab` now holds `label` + `suffix`: its mark goes until DNS answers.
    void tabLookedUp(platform::Index tab, const QString &label, const QString &suffix);
    // Every tab of the lookup is made: their questions go out, then any older ones.
    void lookupDone();

    DnsHint::State state(platform::Index tab) const;

private:
    struct Tab {
        QString domain;
        QString queryName;
        platform::NameServerLookup::Ticket ticket = 0; // 0: not asked, or answered
        quint64 question = 0;                          // which question the tab awaits
        bool waiting = false; // made by the lookup under way, not asked yet
        DnsHint::State state = DnsHint::None;
    };
    void ask(platform::Index tab);
    void show(platform::Index tab, DnsHint::State state);

    FrmSearchControls &m_form;
    LookupRun &m_run;
    platform::NameServerLookup &m_lookup;
    std::vector<Tab> m_tabs; // by tab index
    quint64 m_lastQuestion = 0;
};
