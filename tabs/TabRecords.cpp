#include "tabs/TabRecords.h"

#include "tabs/LookupRun.h"
#include "tabs/TabVerdict.h"
#include "window/FrmSearchControls.h"

using platform::Index;

TabRecords::TabRecords(FrmSearchControls &form, LookupRun &run) : m_form(form), m_run(run) {}

void TabRecords::tabLookedUp(Index tab, const QString &label, const QString &suffix)
{
    if (std::size_t(tab) >= m_records.size())
        m_records.resize(std::size_t(tab) + 1);
    m_records[std::size_t(tab)] = {label + suffix, suffix, AskedName::of(label, suffix)};
    show(tab);
}

const TabRecord &TabRecords::record(Index tab) const
{
    static const TabRecord none;
    return std::size_t(tab) < m_records.size() ? m_records[std::size_t(tab)] : none;
}

void TabRecords::show(Index tab)
{
    const TabRecord &r = record(tab);
    m_run.describeTab(tab, TabVerdict::words(r));
    const platform::Image::Mark mark = TabVerdict::mark(TabVerdict::kind(r));
    m_form.imgTab(tab).setMark(mark);
    m_form.imgCurrent(tab).setMark(mark);
}
