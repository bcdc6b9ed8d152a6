#pragma once

#include "suffixes/SuffixPanel.h"
#include "tabs/LookupRun.h"
#include "tabs/TabNavigation.h"
#include "tabs/TabSelection.h"
#include "tabs/TabStripScroll.h"
#include "window/FrmSearchControls.h"

#include <array>
#include <memory>

class ResultsCopy;
class TabRecords;
class TabSource;
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
    // The sources that write into the records, by what they ask.
    enum class Source { Dns, Registry };
    // Off, a lookup asks `source` nothing; on, each tab it fills gets its answer. False when
    // the window has no such source (none given, or not built in).
    bool setSourceEnabled(Source source, bool enabled);
    bool sourceEnabled(Source source) const;

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
    std::array<std::unique_ptr<TabSource>, 2> m_sources; // by Source; null where none
};
