#pragma once

#include "suffixes/SuffixPanel.h"
#include "tabs/LookupRun.h"
#include "tabs/TabNavigation.h"
#include "tabs/TabSelection.h"
#include "tabs/TabStripScroll.h"
#include "window/FrmSearchControls.h"

#include <memory>

class DnsHints;
class RegistryHints;
class ResultsCopy;
class TabRecords;
namespace platform {
class Dialogs;
class NameServerLookup;
class RegistryLookup;
} // namespace platform

// The lookup window: its controls, its start-up and resize layout, and the wiring of every
// control event to its handler.
class FrmSearch {
public:
    // `dialogs` may be null for Qt's own dialogs; without `dns` the tabs get no DNS hints,
    // without `registry` no registry records.
    FrmSearch(const QString &lookupBaseUrl, const QString &startPageUrl,
              const platform::BrowserFactory &browsers, platform::Dialogs *dialogs = nullptr,
              platform::NameServerLookup *dns = nullptr,
              platform::RegistryLookup *registry = nullptr);
    ~FrmSearch();

    // Runs the load handler once, then shows the window maximized with the focus in the
    // text box.
    void Show();

    void Form_Load();
    void Form_Resize();

    FrmSearchControls &controls() { return m_controls; }
    LookupRun &lookupRun() { return m_lookupRun; }
    TabSelection &tabSelection() { return m_tabSelection; }
    TabStripScroll &tabStripScroll() { return m_tabStripScroll; }
    SuffixPanel &suffixPanel() { return m_suffixPanel; }
    TabNavigation &tabNavigation() { return m_tabNavigation; }
    // What is known of each tab's domain; null without a source to ask.
    const TabRecords *tabRecords() const { return m_records.get(); }
    ResultsCopy *resultsCopy() { return m_resultsCopy.get(); }
#if LOOKUP_DNS_HINTS
    // Off, a lookup asks DNS nothing; on, each tab it fills gets its hint (given a resolver).
    void setDnsHintsEnabled(bool enabled);
#endif
#if LOOKUP_RDAP
    // Off, a lookup asks no registry; on, each tab it fills gets its record (given a client).
    void setRegistryHintsEnabled(bool enabled);
#endif

private:
    void connectEvents();
    void handleSetupShownChanged();
    void wireSources();

    FrmSearchControls m_controls;
    std::unique_ptr<platform::Dialogs> m_ownDialogs;
    platform::Dialogs &m_dialogs;
    QString m_startPageUrl;
    TabSelection m_tabSelection{m_controls};
    TabStripScroll m_tabStripScroll{m_controls, m_tabSelection};
    LookupRun m_lookupRun;
    SuffixPanel m_suffixPanel;
    TabNavigation m_tabNavigation{m_controls, m_tabSelection, m_tabStripScroll};
    bool m_loaded = false;
    std::unique_ptr<TabRecords> m_records;
    std::unique_ptr<ResultsCopy> m_resultsCopy;
#if LOOKUP_DNS_HINTS
    std::unique_ptr<DnsHints> m_dnsHints;
    bool m_dnsHintsEnabled = true;
#endif
#if LOOKUP_RDAP
    std::unique_ptr<RegistryHints> m_registryHints;
    bool m_registryHintsEnabled = true;
#endif
};
