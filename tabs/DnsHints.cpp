#include "tabs/DnsHints.h"

#include "tabs/LookupRun.h"
#include "window/FrmSearchControls.h"

using platform::Index;

DnsHints::DnsHints(FrmSearchControls &form, LookupRun &run, platform::NameServerLookup &lookup)
    : m_form(form), m_run(run), m_lookup(lookup)
{
}

DnsHints::~DnsHints()
{
    for (const Tab &tab : m_tabs) {
        if (tab.ticket != 0)
            m_lookup.drop(tab.ticket);
    }
}

void DnsHints::tabLookedUp(Index tab, const QString &label, const QString &suffix)
{
    if (std::size_t(tab) >= m_tabs.size())
        m_tabs.resize(std::size_t(tab) + 1);
    Tab &t = m_tabs[std::size_t(tab)];
    if (t.ticket != 0)
        m_lookup.drop(t.ticket);
    t = {label + suffix, DnsHint::queryName(label, suffix), 0, ++m_lastQuestion, true};
    show(tab, DnsHint::None);
}

void DnsHints::lookupDone()
{
    std::vector<platform::NameServerLookup::Ticket> earlier;
    for (Index i = 0; i < Index(m_tabs.size()); ++i) {
        Tab &t = m_tabs[std::size_t(i)];
        if (t.waiting)
            ask(i);
        else if (t.ticket != 0)
            earlier.push_back(t.ticket);
    }
    // Questions of earlier lookups not yet sent wait behind this lookup's.
    for (const platform::NameServerLookup::Ticket ticket : earlier)
        m_lookup.moveToBack(ticket);
}

void DnsHints::ask(Index tab)
{
    Tab &t = m_tabs[std::size_t(tab)];
    t.waiting = false;
    if (t.queryName.isEmpty())
        return;
    t.ticket =
        m_lookup.ask(t.queryName, [this, tab, question = t.question](platform::DnsAnswer answer) {
            // The tab may hold another domain by now; the answer is not about that one.
            Tab &answered = m_tabs[std::size_t(tab)];
            if (answered.question != question)
                return;
            answered.ticket = 0;
            show(tab, DnsHint::stateFor(answer));
        });
}

void DnsHints::show(Index tab, DnsHint::State state)
{
    Tab &t = m_tabs[std::size_t(tab)];
    t.state = state;
    const QString words = DnsHint::words(t.domain, state);
    m_run.describeTab(tab, words.isEmpty() ? t.domain : words);
    const platform::Image::Mark mark = DnsHint::mark(state);
    m_form.imgTab(tab).setMark(mark);
    m_form.imgCurrent(tab).setMark(mark);
}

DnsHint::State DnsHints::state(Index tab) const
{
    return std::size_t(tab) < m_tabs.size() ? m_tabs[std::size_t(tab)].state : DnsHint::None;
}
