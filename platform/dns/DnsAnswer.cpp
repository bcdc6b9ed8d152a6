#include "platform/dns/DnsAnswer.h"

#include <algorithm>
#include <iterator>

namespace platform {

DnsAnswer dnsAnswerFor(QDnsLookup::Error error, qsizetype nameServers)
{
    // Qt 6.4 reports a reply without records and a timeout alike, as InvalidReplyError: neither
    // tells whether the name exists. Only NXDOMAIN says it does not.
    struct Row {
        QDnsLookup::Error error;
        DnsAnswer answer;
    };
    static constexpr Row rows[] = {
        {QDnsLookup::NoError, DnsAnswer::Delegated},
        {QDnsLookup::NotFoundError, DnsAnswer::NoSuchName},
        {QDnsLookup::ResolverError, DnsAnswer::NoAnswer},
        {QDnsLookup::OperationCancelledError, DnsAnswer::NoAnswer},
        {QDnsLookup::InvalidRequestError, DnsAnswer::NoAnswer},
        {QDnsLookup::InvalidReplyError, DnsAnswer::NoAnswer},
        {QDnsLookup::ServerFailureError, DnsAnswer::NoAnswer},
        {QDnsLookup::ServerRefusedError, DnsAnswer::NoAnswer},
    };
    const auto row = std::ranges::find(rows, error, &Row::error);
    if (row == std::end(rows))
        return DnsAnswer::NoAnswer;
    // A reply that claims success yet names no server proves nothing.
    if (row->answer == DnsAnswer::Delegated && nameServers == 0)
        return DnsAnswer::NoAnswer;
    return row->answer;
}

} // namespace platform
