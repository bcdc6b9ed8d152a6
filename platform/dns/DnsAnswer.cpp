#include "platform/dns/DnsAnswer.h"

namespace platform {

DnsAnswer dnsAnswerFor(int rcode, bool ownNameServers, bool secure, bool bogus)
{
    using Reply = DnsAnswer::Reply;
    Reply reply = Reply::Failed;
    switch (rcode) {
    case 0: // NOERROR
        reply = ownNameServers ? Reply::NameServers : Reply::NoData;
        break;
    case 2:
        reply = Reply::ServerFailure;
        break;
    case 3:
        reply = Reply::NoSuchName;
        break;
    case 5:
        reply = Reply::Refused;
        break;
    default:
        break;
    }
    const DnsAnswer::Proof proof = secure  ? DnsAnswer::Proof::Secure
                                   : bogus ? DnsAnswer::Proof::Bogus
                                           : DnsAnswer::Proof::Insecure;
    return {reply, proof};
}

} // namespace platform
