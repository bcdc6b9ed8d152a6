#pragma once

#include "platform/forms/Twips.h"
#include "platform/rdap/RegistryLookup.h"
#include "tabs/TabSource.h"

#include <vector>

class TabRecords;

// Asks each result tab's registry, through its RDAP service, what it holds for the tab's
// domain, and writes the answer into the tab's record. Like the DNS hints: a tab heeds only
// the answer to its latest question, and a new lookup cancels what the earlier ones still
// wait for.
class RegistryHints : public TabSource {
public:
    RegistryHints(TabRecords &records, platform::RegistryLookup &lookup);
    ~RegistryHints() override;

    void tabLookedUp(platform::Index tab) override;
    void lookupDone() override;

private:
    struct Tab {
        quint64 question = 0;                        // which question the tab awaits
        platform::RegistryLookup::Ticket ticket = 0; // 0: not out
        bool waiting = false;                        // made by the lookup under way, not asked yet
    };
    void ask(platform::Index tab);
    void show(platform::Index tab, const platform::RegistryAnswer &answer);

    TabRecords &m_records;
    platform::RegistryLookup &m_lookup;
    std::vector<Tab> m_tabs; // by tab index
    quint64 m_lastQuestion = 0;
};
