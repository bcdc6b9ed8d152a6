#include "tabs/DnsReading.h"

using platform::DnsAnswer;
using Reply = DnsAnswer::Reply;
using Proof = DnsAnswer::Proof;

namespace {

DnsEvidence unknown(QString reason)
{
    return {DnsEvidence::Unknown, std::move(reason)};
}

// Why a reply other than name servers or NXDOMAIN tells nothing.
QString reasonFor(Reply reply)
{
    switch (reply) {
    case Reply::NoData:
        return QStringLiteral("DNS knows the name but gives no name servers for it");
    case Reply::ServerFailure:
        return QStringLiteral("the resolver failed to answer (SERVFAIL)");
    case Reply::Refused:
        return QStringLiteral("the resolver refused to answer");
    case Reply::TimedOut:
        return QStringLiteral("no answer from DNS in time");
    case Reply::NameServers:
    case Reply::NoSuchName:
    case Reply::Failed:
        break;
    }
    return QStringLiteral("DNS could not be asked");
}

} // namespace

std::optional<DnsEvidence> readDns(const QString &suffix, const std::optional<DnsAnswer> &name,
                                   const std::optional<DnsAnswer> &zone,
                                   const std::optional<DnsAnswer> &madeUp)
{
    if (!zone)
        return std::nullopt;
    // A resolver that cannot show the suffix's own zone has nothing to say of names in it:
    // one that answers NXDOMAIN to everything would otherwise make every name look free.
    if (zone->reply != Reply::NameServers)
        return unknown(QStringLiteral("the resolver could not confirm that %1 exists").arg(suffix));
    if (!name)
        return std::nullopt;
    const bool unsignedPath = zone->proof == Proof::Bogus;
    if (name->proof == Proof::Bogus && !unsignedPath)
        return unknown(QStringLiteral("the answer could not be verified (its DNSSEC signature "
                                      "fails)"));
    switch (name->reply) {
    case Reply::NameServers:
        if (!madeUp)
            return std::nullopt;
        if (madeUp->reply == Reply::NameServers)
            return unknown(
                QStringLiteral("the resolver gives name servers even for made-up names under %1")
                    .arg(suffix));
        if (madeUp->reply != Reply::NoSuchName && madeUp->reply != Reply::NoData)
            return unknown(
                QStringLiteral("the resolver could not be checked with a made-up name under %1")
                    .arg(suffix));
        return DnsEvidence{DnsEvidence::Registered};
    case Reply::NoSuchName:
        if (name->proof == Proof::Secure)
            return DnsEvidence{DnsEvidence::NotInDnsProven};
        return DnsEvidence{DnsEvidence::NotInDns, {}, unsignedPath};
    default:
        return unknown(reasonFor(name->reply));
    }
}
