#pragma once

#include "platform/forms/Twips.h"
#include "tabs/TabRecord.h"

#include <vector>

class FrmSearchControls;
class LookupRun;

// The record of every result tab, by index, and the one place that shows a record on its tab:
// the mark on both its pictures, and its tooltip and description. Sources (DNS, ...) write
// into a tab's record and then have it shown.
class TabRecords {
public:
    TabRecords(FrmSearchControls &form, LookupRun &run);

    // Tab `tab` now holds `label` + `suffix`: a fresh record, shown as the domain alone.
    void tabLookedUp(platform::Index tab, const QString &label, const QString &suffix);
    TabRecord &at(platform::Index tab) { return m_records[std::size_t(tab)]; }
    // A tab no lookup has filled has an empty record.
    const TabRecord &record(platform::Index tab) const;
    platform::Index count() const { return platform::Index(m_records.size()); }
    void show(platform::Index tab);

private:
    FrmSearchControls &m_form;
    LookupRun &m_run;
    std::vector<TabRecord> m_records;
};
