#pragma once

#include "platform/dns/DnsAnswer.h"

#include <QString>

#include <functional>

namespace platform {

// Asks DNS whether names have name servers. Questions wait their turn; an answer comes back
// later, on the thread that asked, never from within ask() itself.
class NameServerLookup {
public:
    using Ticket = quint64;
    using Answered = std::function<void(DnsAnswer)>;

    virtual ~NameServerLookup() = default;

    // `name` goes out as given: ASCII, as DNS carries it. `answered` runs once, unless the
    // question is dropped first.
    virtual Ticket ask(const QString &name, Answered answered) = 0;
    // A question not yet sent is never sent; the answer to one already out is thrown away.
    virtual void drop(Ticket ticket) = 0;
    // A question still waiting goes behind all others; one already out stays as it is.
    virtual void moveToBack(Ticket ticket) = 0;
};

} // namespace platform
