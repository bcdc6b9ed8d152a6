#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

#include <functional>

namespace platform {

// What a registry's RDAP service says of one name.
struct RegistryAnswer {
    enum class Outcome {
        Record,   // the registry holds the name
        NoRecord, // the registry says it holds no such name
        Unknown,  // anything else; `reason` says what
    };
    Outcome outcome = Outcome::Unknown;
    // Unknown: a few plain words, starting in lower case ("no answer within 10 seconds").
    QString reason = {};
    // Record: from the record's events, as UTC dates; null where the record gives none.
    QDate registered = {}, expires = {}, lastChanged = {};
    QString registrar = {};  // the registrar's name, plain text, cut short; empty if not given
    QStringList status = {}; // status values as given ("active", "redemption period"), plain text
};

// Asks registries what they hold for names, through their RDAP services. Questions wait their
// turn; an answer comes back later, on the thread that asked, never from within ask() itself.
class RegistryLookup {
public:
    using Ticket = quint64;
    using Answered = std::function<void(const RegistryAnswer &)>;

    virtual ~RegistryLookup() = default;

    // `name` as DNS carries it: ASCII (A-labels). `answered` runs once, unless the question is
    // dropped first.
    virtual Ticket ask(const QString &name, Answered answered) = 0;
    // A question not yet sent is never sent; one under way is aborted; nothing is answered.
    virtual void drop(Ticket ticket) = 0;
};

} // namespace platform
