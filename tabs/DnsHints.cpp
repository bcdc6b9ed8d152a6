#include "tabs/DnsHints.h"

#include "tabs/DnsReading.h"
#include "tabs/TabRecords.h"

#include <QRandomGenerator>

using platform::DnsAnswer;
using platform::Index;

namespace {

QString madeUpLabel()
{
    QString label(DnsHints::MadeUpLength, u'a');
    for (QChar &c : label)
        c = QChar(u'a' + QRandomGenerator::global()->bounded(26));
    return label;
}

} // namespace

DnsHints::DnsHints(TabRecords &records, platform::NameServerLookup &lookup)
    : m_records(records), m_lookup(lookup)
{
}

DnsHints::~DnsHints()
{
    for (Tab &tab : m_tabs)
        forget(tab.ticket);
    for (Zone &zone : m_zones) {
        forget(zone.zoneTicket);
        forget(zone.madeUpTicket);
    }
}

void DnsHints::forget(Ticket &ticket)
{
    if (ticket != 0)
        m_lookup.drop(std::exchange(ticket, 0));
}

void DnsHints::tabLookedUp(Index tab)
{
    if (std::size_t(tab) >= m_tabs.size())
        m_tabs.resize(std::size_t(tab) + 1);
    Tab &t = m_tabs[std::size_t(tab)];
    forget(t.ticket);
    t = {++m_lastQuestion, 0, true};
}

void DnsHints::lookupDone()
{
    cancelEarlierLookup();
    for (Index i = 0; i < Index(m_tabs.size()); ++i) {
        if (m_tabs[std::size_t(i)].waiting)
            ask(i);
    }
}

void DnsHints::cancelEarlierLookup()
{
    // Tabs of earlier lookups still without an answer get none now: unknown, and why.
    for (Index i = 0; i < Index(m_tabs.size()); ++i) {
        Tab &t = m_tabs[std::size_t(i)];
        if (t.waiting || t.zone < 0 || m_records.at(i).dns.state != DnsEvidence::None)
            continue;
        forget(t.ticket);
        t.zone = -1;
        m_records.at(i).dns = {DnsEvidence::Unknown,
                               QStringLiteral("DNS was not asked: a later lookup came first")};
        m_records.show(i);
    }
    for (Zone &zone : m_zones) {
        forget(zone.zoneTicket);
        forget(zone.madeUpTicket);
    }
    m_zones.clear();
    ++m_lookups;
}

int DnsHints::zoneFor(const QString &suffix, const QString &ascii)
{
    for (int i = 0; i < int(m_zones.size()); ++i) {
        if (m_zones[std::size_t(i)].ascii == ascii)
            return i;
    }
    const int index = int(m_zones.size());
    m_zones.push_back({suffix, ascii});
    Zone &zone = m_zones.back();
    // Asked ahead of the zone's tabs, so that their answers can be read as soon as they come.
    const auto answer = [this, index, lookup = m_lookups](bool madeUp) {
        return [this, index, lookup, madeUp](DnsAnswer answer) {
            if (lookup != m_lookups)
                return;
            Zone &z = m_zones[std::size_t(index)];
            (madeUp ? z.madeUpTicket : z.zoneTicket) = 0;
            (madeUp ? z.madeUp : z.zone) = answer;
            // A zone the resolver cannot confirm settles its tabs without the made-up name.
            if (!madeUp && answer.reply != DnsAnswer::Reply::NameServers)
                forget(z.madeUpTicket);
            for (Index i = 0; i < Index(m_tabs.size()); ++i) {
                if (m_tabs[std::size_t(i)].zone == index)
                    read(i);
            }
        };
    };
    zone.zoneTicket = m_lookup.ask(ascii, answer(false));
    zone.madeUpTicket = m_lookup.ask(madeUpLabel() + u'.' + ascii, answer(true));
    return index;
}

void DnsHints::ask(Index tab)
{
    Tab &t = m_tabs[std::size_t(tab)];
    t.waiting = false;
    TabRecord &record = m_records.at(tab);
    if (record.name.ascii.isEmpty()) {
        record.dns = {DnsEvidence::NotAsked};
        m_records.show(tab);
        return;
    }
    t.zone = zoneFor(record.suffix, record.name.zone);
    t.ticket = m_lookup.ask(record.name.ascii, [this, tab, question = t.question](DnsAnswer a) {
        // The tab may hold another domain by now; the answer is not about that one.
        Tab &answered = m_tabs[std::size_t(tab)];
        if (answered.question != question)
            return;
        answered.ticket = 0;
        answered.answer = a;
        read(tab);
    });
}

void DnsHints::read(Index tab)
{
    Tab &t = m_tabs[std::size_t(tab)];
    TabRecord &record = m_records.at(tab);
    if (t.zone < 0 || record.dns.state != DnsEvidence::None)
        return;
    const Zone &zone = m_zones[std::size_t(t.zone)];
    const std::optional<DnsEvidence> evidence =
        readDns(zone.suffix, t.answer, zone.zone, zone.madeUp);
    if (!evidence)
        return;
    // Known without the tab's own answer (the zone could not be confirmed): no need for it.
    forget(t.ticket);
    record.dns = *evidence;
    m_records.show(tab);
}
