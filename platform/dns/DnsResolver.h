#pragma once

#include "platform/dns/NameServerLookup.h"

#include <QHostAddress>
#include <QObject>

#include <deque>
#include <unordered_map>

class QDnsLookup;

namespace platform {

// NameServerLookup through Qt's QDnsLookup and the system's resolver, or the name server
// given. Each lookup blocks a thread of Qt's own pool until it is answered or times out, so
// only a few are out at once and the rest wait here: a thousand tabs cost a handful of
// threads, and the GUI thread never waits.
class DnsResolver : public QObject, public NameServerLookup {
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 8;

    // A null `nameServer` is the one the system is set up with (port 53 either way).
    explicit DnsResolver(QHostAddress nameServer = {}, QObject *parent = nullptr);

    Ticket ask(const QString &name, Answered answered) override;
    void drop(Ticket ticket) override;
    void moveToBack(Ticket ticket) override;

    int inFlight() const { return int(m_inFlight.size()); }
    int waiting() const { return int(m_waiting.size()); }

private:
    struct Question {
        Ticket ticket = 0;
        QString name;
        Answered answered;
    };
    void sendWaiting();
    void handleFinished(QDnsLookup *lookup);

    QHostAddress m_nameServer;
    Ticket m_lastTicket = 0;
    std::deque<Question> m_waiting;
    // Out: their lookups, by ticket; a dropped one keeps its place until it ends.
    std::unordered_map<Ticket, std::pair<QDnsLookup *, Answered>> m_inFlight;
};

} // namespace platform
