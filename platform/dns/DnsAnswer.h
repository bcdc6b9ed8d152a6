#pragma once

#include <QDnsLookup>

namespace platform {

// What a question for a name's name servers came back with, as far as it can be trusted.
enum class DnsAnswer {
    Delegated,  // the name has name servers
    NoSuchName, // the resolver says the name does not exist
    NoAnswer,   // anything else: a failing or refusing server, a timeout, no network
};

// The answer for a finished lookup of type NS that ended with `error` and brought
// `nameServers` records.
DnsAnswer dnsAnswerFor(QDnsLookup::Error error, qsizetype nameServers);

} // namespace platform
