#pragma once

namespace platform {

// What the resolver said to a question for a name's name servers.
struct DnsAnswer {
    enum class Reply {
        NameServers,   // NOERROR with NS records owned by the name itself
        NoSuchName,    // NXDOMAIN
        NoData,        // NOERROR without them: the name exists, or is an alias
        ServerFailure, // SERVFAIL
        Refused,       // REFUSED
        TimedOut,      // nothing within the time limit
        Failed,        // anything else: another reply code, no resolver set up
    };
    // What DNSSEC says of the answer: Secure when it validated up to the trust anchor (an
    // NXDOMAIN then comes with the zone's signed proof), Bogus when that failed (a signature
    // that does not verify, or none where the zone has them: tampering, or a path that strips
    // them), Insecure when there was nothing to validate (an unsigned zone, or no anchor).
    enum class Proof { Insecure, Secure, Bogus };

    Reply reply = Reply::Failed;
    Proof proof = Proof::Insecure;

    bool operator==(const DnsAnswer &) const = default;
};

// The answer for a resolver's reply code `rcode`, whether the name's own NS records came with
// it, and what validation said.
DnsAnswer dnsAnswerFor(int rcode, bool ownNameServers, bool secure, bool bogus);

} // namespace platform
