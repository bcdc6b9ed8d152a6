#pragma once

#include "platform/dns/NameServerLookup.h"
#include "platform/forms/Twips.h"
#include "tabs/TabSource.h"

#include <optional>
#include <vector>

class TabRecords;

// Asks DNS about every result tab's domain and writes what it learns into the tab's record.
// For each suffix of a lookup it also asks about the suffix's own zone and a made-up name in
// it, once, before that suffix's tabs, and reads each tab's answer against those (readDns).
// Each tab waits for the answer to its latest question only, so an answer for an earlier
// lookup never marks a tab that has since been given another domain (tab 0); a new lookup
// cancels whatever the earlier ones still have out.
class DnsHints : public TabSource {
public:
    static constexpr int MadeUpLength = 30;

    DnsHints(TabRecords &records, platform::NameServerLookup &lookup);
    ~DnsHints() override;

    void tabLookedUp(platform::Index tab) override;
    void lookupDone() override;

private:
    using Ticket = platform::NameServerLookup::Ticket;
    struct Zone {
        QString suffix = {}; // as typed
        QString ascii = {};
        std::optional<platform::DnsAnswer> zone = {}, madeUp = {};
        Ticket zoneTicket = 0, madeUpTicket = 0; // 0: answered
    };
    struct Tab {
        quint64 question = 0; // which question the tab awaits
        Ticket ticket = 0;    // 0: not out
        bool waiting = false; // made by the lookup under way, not asked yet
        int zone = -1;        // in m_zones
        std::optional<platform::DnsAnswer> answer = {};
    };
    void cancelEarlierLookup();
    int zoneFor(const QString &suffix, const QString &ascii);
    void ask(platform::Index tab);
    void read(platform::Index tab);
    void forget(Ticket &ticket);

    TabRecords &m_records;
    platform::NameServerLookup &m_lookup;
    std::vector<Tab> m_tabs;   // by tab index
    std::vector<Zone> m_zones; // the latest lookup's
    quint64 m_lastQuestion = 0;
    quint64 m_lookups = 0;
};
