#include "tabs/TabVerdict.h"

#include <QStringList>

using platform::Image;

namespace {

const char kMayBeFree[] = "; it may be free, the registry's page below says for sure";

// Nothing is asked about a name that would be another one than the tab shows.
bool notAsked(const TabRecord &record)
{
    return record.dns.state == DnsEvidence::NotAsked ||
           record.registry.state == RegistryEvidence::NotAsked;
}

QString notAskedWords(const TabRecord &record)
{
    return record.domain + QStringLiteral(": not asked, ") + record.name.whyNot;
}

bool notInDns(const DnsEvidence &dns)
{
    return dns.state == DnsEvidence::NotInDns || dns.state == DnsEvidence::NotInDnsProven;
}

// DNS's verdict alone.
QString dnsWords(const TabRecord &record)
{
    const DnsEvidence &dns = record.dns;
    // What was asked, where it reads as another name than the tab shows.
    const QString domain =
        record.name.differs
            ? QStringLiteral("%1 (asked as %2)").arg(record.domain, record.name.ascii)
            : record.domain;
    switch (dns.state) {
    case DnsEvidence::None:
        return record.domain;
    case DnsEvidence::NotAsked:
        return notAskedWords(record);
    case DnsEvidence::Registered:
        return domain + QStringLiteral(": registered (it has name servers)");
    case DnsEvidence::NotInDnsProven:
        return domain + QStringLiteral(": not in DNS (signed proof)") + QLatin1String(kMayBeFree);
    case DnsEvidence::NotInDns:
        return domain + QStringLiteral(": not in DNS") +
               (dns.unsignedAnswer ? QStringLiteral(" (answer not signed)") : QString()) +
               QLatin1String(kMayBeFree);
    case DnsEvidence::Unknown:
        break;
    }
    return domain + QStringLiteral(": unknown, ") + dns.reason;
}

// "registered 1995-08-14, expires 2031-08-13, by Stand-in Registrar Ltd", from what the
// record gives.
QString registration(const RegistryEvidence &registry)
{
    QString text = QStringLiteral("registered");
    if (registry.registered.isValid())
        text += u' ' + registry.registered.toString(Qt::ISODate);
    if (registry.expires.isValid())
        text += QStringLiteral(", expires ") + registry.expires.toString(Qt::ISODate);
    if (!registry.registrar.isEmpty())
        text += QStringLiteral(", by ") + registry.registrar;
    return text;
}

// The registry's status values, and a word where they mean the name may soon be let go.
QString statusLine(const RegistryEvidence &registry)
{
    if (registry.status.isEmpty())
        return {};
    const bool soon = std::ranges::any_of(registry.status, [](const QString &status) {
        return status == u"redemption period" || status == u"pending delete" ||
               status == u"inactive";
    });
    return QStringLiteral("\nstatus: ") + registry.status.join(QStringLiteral(", ")) +
           (soon ? QStringLiteral("; it may come free soon") : QString());
}

} // namespace

TabVerdict::Kind TabVerdict::kind(const TabRecord &record)
{
    if (notAsked(record))
        return Unknown;
    const bool hasNameServers = record.dns.state == DnsEvidence::Registered;
    switch (record.registry.state) {
    case RegistryEvidence::Record:
        return Registered;
    case RegistryEvidence::NoRecord:
        return hasNameServers ? Unknown : NoRecord;
    case RegistryEvidence::None:
    case RegistryEvidence::NotAsked:
    case RegistryEvidence::Unknown:
        break;
    }
    switch (record.dns.state) {
    case DnsEvidence::None:
        return record.registry.state == RegistryEvidence::Unknown ? Unknown : None;
    case DnsEvidence::Registered:
        return Registered;
    case DnsEvidence::NotInDnsProven:
        return NotInDnsProven;
    case DnsEvidence::NotInDns:
        return NotInDns;
    case DnsEvidence::NotAsked:
    case DnsEvidence::Unknown:
        break;
    }
    return Unknown;
}

QString TabVerdict::words(const TabRecord &record)
{
    if (notAsked(record))
        return notAskedWords(record);
    const RegistryEvidence &registry = record.registry;
    const DnsEvidence &dns = record.dns;
    switch (registry.state) {
    case RegistryEvidence::Record:
        if (notInDns(dns))
            return record.domain +
                   QStringLiteral(": registered (the registry's record), not in DNS: no name "
                                  "servers\n") +
                   registration(registry) + statusLine(registry);
        return record.domain + QStringLiteral(": ") + registration(registry) +
               (dns.state == DnsEvidence::Registered ? QStringLiteral("; it has name servers")
                                                     : QString()) +
               statusLine(registry);
    case RegistryEvidence::NoRecord:
        if (dns.state == DnsEvidence::Registered)
            return record.domain + QStringLiteral(": unknown: the registry has no record, but "
                                                  "DNS has name servers for it");
        return record.domain + QStringLiteral(": the registry has no record of it") +
               (dns.state == DnsEvidence::NotInDnsProven
                    ? QStringLiteral(", nor DNS (signed proof)")
                : dns.state == DnsEvidence::NotInDns ? QStringLiteral(", nor DNS")
                                                     : QString()) +
               QLatin1String(kMayBeFree);
    case RegistryEvidence::Unknown:
        return dnsWords(record) + QStringLiteral("\nthe registry's record: unknown, ") +
               registry.reason;
    case RegistryEvidence::None:
    case RegistryEvidence::NotAsked:
        break;
    }
    return dnsWords(record);
}

QString TabVerdict::summary(Kind kind)
{
    switch (kind) {
    case Registered:
        return QStringLiteral("registered");
    case NoRecord:
        return QStringLiteral("no record at the registry");
    case NotInDnsProven:
        return QStringLiteral("not in DNS (signed proof)");
    case NotInDns:
        return QStringLiteral("not in DNS");
    case Unknown:
        return QStringLiteral("unknown");
    case None:
        break;
    }
    return QStringLiteral("not known yet");
}

Image::Mark TabVerdict::mark(Kind kind)
{
    // 11 pixels square near the tab's right edge, level with its caption; dark enough on
    // both tab pictures, which keep their light blue under a dark palette too.
    const QRectF place(1590, 135, 165, 165);
    const QColor taken(0xB0, 0x00, 0x20), notFound(0x07, 0x59, 0x2A), unknown(0x30, 0x30, 0x30);
    switch (kind) {
    case Registered:
        return {Image::Mark::Disc, taken, place};
    case NoRecord:
        return {Image::Mark::Square, notFound, place};
    case NotInDnsProven:
        return {Image::Mark::DotRing, notFound, place};
    case NotInDns:
        return {Image::Mark::Ring, notFound, place};
    case Unknown:
        return {Image::Mark::Query, unknown, place};
    case None:
        break;
    }
    return {};
}
