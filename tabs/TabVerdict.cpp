#include "tabs/TabVerdict.h"

using platform::Image;

TabVerdict::Kind TabVerdict::kind(const TabRecord &record)
{
    switch (record.dns.state) {
    case DnsEvidence::None:
        return None;
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
    const DnsEvidence &dns = record.dns;
    const QString maybeFree =
        QStringLiteral("; it may be free, the registry's page below says for sure");
    // What was asked, where it reads as another name than the tab shows.
    const QString domain =
        record.name.differs
            ? QStringLiteral("%1 (asked as %2)").arg(record.domain, record.name.ascii)
            : record.domain;
    switch (dns.state) {
    case DnsEvidence::None:
        return record.domain;
    case DnsEvidence::NotAsked:
        return record.domain + QStringLiteral(": not asked, ") + record.name.whyNot;
    case DnsEvidence::Registered:
        return domain + QStringLiteral(": registered (it has name servers)");
    case DnsEvidence::NotInDnsProven:
        return domain + QStringLiteral(": not in DNS (signed proof)") + maybeFree;
    case DnsEvidence::NotInDns:
        return domain + QStringLiteral(": not in DNS") +
               (dns.unsignedAnswer ? QStringLiteral(" (answer not signed)") : QString()) +
               maybeFree;
    case DnsEvidence::Unknown:
        break;
    }
    return domain + QStringLiteral(": unknown, ") + dns.reason;
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
