#include "tabs/RegistryHints.h"

#include "tabs/TabRecords.h"

using platform::Index;
using platform::RegistryAnswer;

RegistryHints::RegistryHints(TabRecords &records, platform::RegistryLookup &lookup)
    : m_records(records), m_lookup(lookup)
{
}

RegistryHints::~RegistryHints()
{
    for (const Tab &tab : m_tabs) {
        if (tab.ticket != 0)
            m_lookup.drop(tab.ticket);
    }
}

void RegistryHints::tabLookedUp(Index tab)
{
    if (std::size_t(tab) >= m_tabs.size())
        m_tabs.resize(std::size_t(tab) + 1);
    Tab &t = m_tabs[std::size_t(tab)];
    if (t.ticket != 0)
        m_lookup.drop(t.ticket);
    t = {++m_lastQuestion, 0, true};
}

void RegistryHints::lookupDone()
{
    for (Index i = 0; i < Index(m_tabs.size()); ++i) {
        Tab &t = m_tabs[std::size_t(i)];
        if (t.waiting) {
            ask(i);
        } else if (t.ticket != 0) {
            // An earlier lookup's question still waiting gives way to this lookup's.
            m_lookup.drop(std::exchange(t.ticket, 0));
            show(i, {RegistryAnswer::Outcome::Unknown,
                     QStringLiteral("not asked: a later lookup came first")});
        }
    }
}

void RegistryHints::ask(Index tab)
{
    Tab &t = m_tabs[std::size_t(tab)];
    t.waiting = false;
    TabRecord &record = m_records.at(tab);
    if (record.name.ascii.isEmpty()) {
        record.registry.state = RegistryEvidence::NotAsked;
        m_records.show(tab);
        return;
    }
    t.ticket = m_lookup.ask(record.name.ascii,
                            [this, tab, question = t.question](const RegistryAnswer &answer) {
                                // The tab may hold another domain by now.
                                Tab &answered = m_tabs[std::size_t(tab)];
                                if (answered.question != question)
                                    return;
                                answered.ticket = 0;
                                show(tab, answer);
                            });
}

void RegistryHints::show(Index tab, const RegistryAnswer &answer)
{
    using Outcome = RegistryAnswer::Outcome;
    RegistryEvidence &registry = m_records.at(tab).registry;
    registry = {answer.outcome == Outcome::Record     ? RegistryEvidence::Record
                : answer.outcome == Outcome::NoRecord ? RegistryEvidence::NoRecord
                                                      : RegistryEvidence::Unknown,
                answer.reason,
                answer.registered,
                answer.expires,
                answer.lastChanged,
                answer.registrar,
                answer.status};
    m_records.show(tab);
}
