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
    // The question is cancelled: never sent if still waiting, forgotten if out. No answer.
    virtual void drop(Ticket ticket) = 0;
};

} // namespace platform
