#pragma once

#include "platform/dns/NameServerLookup.h"
#include "platform/dns/ResolverSetup.h"

#include <QDeadlineTimer>
#include <QObject>
#include <QTimer>

#include <deque>
#include <memory>
#include <unordered_map>
#include <vector>

struct ub_ctx;
struct ub_result;
class QSocketNotifier;

namespace platform {

// NameServerLookup through libunbound: one context that forwards every question to the
// resolver set up (it never asks other servers itself) and validates the answers with DNSSEC
// where it has a trust anchor. Its worker thread answers through a descriptor watched on the
// event loop, so the GUI thread never waits and no question takes a thread. A few questions
// are out at once, the rest wait here; each has a time limit of its own, a dropped one is
// cancelled at once, and all of them when the resolver goes, so that nothing keeps the
// program alive.
class DnsResolver : public QObject, public NameServerLookup {
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 8;
    static constexpr int kTimeLimitMs = 5000;
    static const char kRootKeyFile[];

    explicit DnsResolver(const ResolverSetup &setup = {}, QObject *parent = nullptr);
    ~DnsResolver() override;

    Ticket ask(const QString &name, Answered answered) override;
    void drop(Ticket ticket) override;

    // Whether answers are validated: a trust anchor was found and taken.
    bool validates() const { return m_validates; }
    int inFlight() const { return int(m_inFlight.size()); }
    int waiting() const { return int(m_waiting.size()); }
    // Tests give silent servers less time.
    void setTimeLimit(int ms) { m_timeLimitMs = ms; }

private:
    struct Question {
        Ticket ticket = 0;
        QString name;
        Answered answered;
    };
    struct Out {
        int id = 0; // libunbound's
        bool sent = false;
        Answered answered;
        QDeadlineTimer deadline;
    };
    static void collect(void *data, int error, ub_result *result);
    void sendWaiting();
    void readAnswers();
    void finish(Ticket ticket, DnsAnswer answer);
    void armDeadline();
    void handleDeadline();

    ub_ctx *m_ctx = nullptr;
    bool m_usable = false;
    bool m_validates = false;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_timeLimitMs = kTimeLimitMs;
    Ticket m_lastTicket = 0;
    std::deque<Question> m_waiting;
    std::unordered_map<Ticket, Out> m_inFlight;
    bool m_sendQueued = false;
    QTimer m_deadline; // for the first of the questions out to run out of time
};

} // namespace platform
