#include "platform/dns/DnsResolver.h"

#include <QFile>
#include <QFileInfo>
#include <QSocketNotifier>

#include <unbound.h>

#include <algorithm>

namespace platform {

namespace {

constexpr int TypeNS = 2;
constexpr int ClassIN = 1;

// The answers libunbound hands over while readAnswers() runs it; delivered after it returns,
// so that whoever is answered may ask or drop again without reentering the library.
std::vector<std::pair<NameServerLookup::Ticket, DnsAnswer>> *s_collecting = nullptr;

QString withoutFinalDot(QString name)
{
    if (name.endsWith(u'.'))
        name.chop(1);
    return name.toLower();
}

} // namespace

const char DnsResolver::kRootKeyFile[] = "/usr/share/dns/root.key";

DnsResolver::DnsResolver(const ResolverSetup &setup, QObject *parent)
    : QObject(parent), m_ctx(ub_ctx_create())
{
    if (!m_ctx)
        return;
    // A worker thread of the library's own; the default would fork the whole program.
    ub_ctx_async(m_ctx, 1);
    // With no resolver to forward to, the library would ask the root servers itself: the
    // program asks nobody but the resolver it is given.
    m_usable = (setup.forwarder.isEmpty()
                    ? ub_ctx_resolvconf(m_ctx, nullptr)
                    : ub_ctx_set_fwd(m_ctx, setup.forwarder.toLatin1().constData())) == 0;
    const QString anchor =
        setup.trustAnchorFile.isEmpty() ? QString::fromLatin1(kRootKeyFile) : setup.trustAnchorFile;
    m_validates = QFileInfo(anchor).isReadable() &&
                  ub_ctx_add_ta_file(m_ctx, QFile::encodeName(anchor).constData()) == 0;
    m_notifier = std::make_unique<QSocketNotifier>(ub_fd(m_ctx), QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &DnsResolver::readAnswers);
    m_deadline.setSingleShot(true);
    connect(&m_deadline, &QTimer::timeout, this, &DnsResolver::handleDeadline);
}

DnsResolver::~DnsResolver()
{
    m_notifier.reset();
    // Cancels every question still out and ends the worker at once, answered or not.
    if (m_ctx)
        ub_ctx_delete(m_ctx);
}

NameServerLookup::Ticket DnsResolver::ask(const QString &name, Answered answered)
{
    m_waiting.push_back({++m_lastTicket, name, std::move(answered)});
    // Sent from the event loop, so that no answer, not even an immediate failure, arrives
    // before ask() has returned its ticket.
    if (!m_sendQueued) {
        m_sendQueued = true;
        QMetaObject::invokeMethod(this, &DnsResolver::sendWaiting, Qt::QueuedConnection);
    }
    return m_lastTicket;
}

void DnsResolver::drop(Ticket ticket)
{
    if (const auto out = m_inFlight.find(ticket); out != m_inFlight.end()) {
        ub_cancel(m_ctx, out->second.id);
        m_inFlight.erase(out);
        if (!m_sendQueued) {
            m_sendQueued = true;
            QMetaObject::invokeMethod(this, &DnsResolver::sendWaiting, Qt::QueuedConnection);
        }
        return;
    }
    std::erase_if(m_waiting, [ticket](const Question &q) { return q.ticket == ticket; });
}

void DnsResolver::sendWaiting()
{
    m_sendQueued = false;
    while (m_inFlight.size() < std::size_t(MaxInFlight) && !m_waiting.empty()) {
        Question question = std::move(m_waiting.front());
        m_waiting.pop_front();
        const Ticket ticket = question.ticket;
        Out &out = m_inFlight[ticket];
        out.answered = std::move(question.answered);
        const int error =
            m_usable
                ? ub_resolve_async(m_ctx, question.name.toLatin1().constData(), TypeNS, ClassIN,
                                   reinterpret_cast<void *>(ticket), &DnsResolver::collect, &out.id)
                : UB_INITFAIL;
        if (error != 0) {
            QMetaObject::invokeMethod(
                this, [this, ticket] { finish(ticket, {}); }, Qt::QueuedConnection);
            continue;
        }
        out.sent = true;
        out.deadline = QDeadlineTimer(m_timeLimitMs);
    }
    armDeadline();
}

void DnsResolver::collect(void *data, int error, ub_result *result)
{
    const auto ticket = NameServerLookup::Ticket(reinterpret_cast<quintptr>(data));
    DnsAnswer answer;
    if (error == 0 && result) {
        // An alias's name servers are not the name's own.
        const bool own =
            result->havedata &&
            (!result->canonname || withoutFinalDot(QString::fromLatin1(result->canonname)) ==
                                       withoutFinalDot(QString::fromLatin1(result->qname)));
        answer = dnsAnswerFor(result->rcode, own, result->secure, result->bogus);
    }
    if (result)
        ub_resolve_free(result);
    if (s_collecting)
        s_collecting->emplace_back(ticket, answer);
}

void DnsResolver::readAnswers()
{
    std::vector<std::pair<Ticket, DnsAnswer>> arrived;
    s_collecting = &arrived;
    ub_process(m_ctx);
    s_collecting = nullptr;
    for (const auto &[ticket, answer] : arrived)
        finish(ticket, answer);
}

void DnsResolver::finish(Ticket ticket, DnsAnswer answer)
{
    const auto out = m_inFlight.find(ticket);
    if (out == m_inFlight.end())
        return;
    const Answered answered = std::move(out->second.answered);
    m_inFlight.erase(out);
    sendWaiting();
    if (answered)
        answered(answer);
}

void DnsResolver::armDeadline()
{
    qint64 first = -1;
    for (const auto &[ticket, out] : m_inFlight) {
        if (out.sent && (first < 0 || out.deadline.remainingTime() < first))
            first = out.deadline.remainingTime();
    }
    if (first < 0)
        m_deadline.stop();
    else
        m_deadline.start(int(first));
}

void DnsResolver::handleDeadline()
{
    std::vector<Ticket> late;
    for (const auto &[ticket, out] : m_inFlight) {
        if (out.sent && out.deadline.hasExpired()) {
            ub_cancel(m_ctx, out.id);
            late.push_back(ticket);
        }
    }
    for (const Ticket ticket : late)
        finish(ticket, {DnsAnswer::Reply::TimedOut});
    armDeadline();
}

} // namespace platform
