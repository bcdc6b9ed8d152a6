#pragma once

#include "platform/dns/DnsAnswer.h"
#include "tabs/TabRecord.h"

#include <optional>

// What one lookup's answers say of a domain, by rules that keep a lying or broken resolver
// from making a name look free or taken:
// - the name's answer counts only once the same resolver has confirmed the suffix's own zone
//   (NS records for the suffix itself), and "registered" only once it has said that a
//   made-up name in that zone does not exist;
// - where the zone's answer validated, an answer that fails validation counts for nothing,
//   and only a validated NXDOMAIN is a proof; where the zone's answer failed validation the
//   path strips signatures, and every answer is read as unsigned.
// Empty while an answer it needs is still out.
std::optional<DnsEvidence> readDns(const QString &suffix,
                                   const std::optional<platform::DnsAnswer> &name,
                                   const std::optional<platform::DnsAnswer> &zone,
                                   const std::optional<platform::DnsAnswer> &madeUp);
