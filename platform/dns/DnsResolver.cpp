#include "platform/dns/DnsResolver.h"

#include <QDnsLookup>

#include <algorithm>

namespace platform {

DnsResolver::DnsResolver(QHostAddress nameServer, QObject *parent)
    : QObject(parent), m_nameServer(std::move(nameServer))
{
}

NameServerLookup::Ticket DnsResolver::ask(const QString &name, Answered answered)
{
    m_waiting.push_back({++m_lastTicket, name, std::move(answered)});
    // Sent from the event loop, so that no answer, not even an immediate failure, arrives
    // before ask() has returned its ticket.
    QMetaObject::invokeMethod(this, &DnsResolver::sendWaiting, Qt::QueuedConnection);
    return m_lastTicket;
}

void DnsResolver::drop(Ticket ticket)
{
    if (const auto out = m_inFlight.find(ticket); out != m_inFlight.end()) {
        out->second.second = nullptr;
        return;
    }
    std::erase_if(m_waiting, [ticket](const Question &q) { return q.ticket == ticket; });
}

void DnsResolver::moveToBack(Ticket ticket)
{
    const auto it = std::ranges::find(m_waiting, ticket, &Question::ticket);
    if (it == m_waiting.end())
        return;
    Question question = std::move(*it);
    m_waiting.erase(it);
    m_waiting.push_back(std::move(question));
}

void DnsResolver::sendWaiting()
{
    while (m_inFlight.size() < std::size_t(MaxInFlight) && !m_waiting.empty()) {
        Question question = std::move(m_waiting.front());
        m_waiting.pop_front();
        auto *lookup = new QDnsLookup(QDnsLookup::NS, question.name, this);
        if (!m_nameServer.isNull())
            lookup->setNameserver(m_nameServer);
        connect(lookup, &QDnsLookup::finished, this, [this, lookup] { handleFinished(lookup); });
        m_inFlight.emplace(question.ticket, std::pair(lookup, std::move(question.answered)));
        lookup->lookup();
    }
}

void DnsResolver::handleFinished(QDnsLookup *lookup)
{
    const auto out = std::ranges::find_if(
        m_inFlight, [lookup](const auto &entry) { return entry.second.first == lookup; });
    if (out == m_inFlight.end())
        return;
    const Answered answered = std::move(out->second.second);
    m_inFlight.erase(out);
    lookup->deleteLater();
    sendWaiting();
    if (answered)
        answered(dnsAnswerFor(lookup->error(), lookup->nameServerRecords().size()));
}

} // namespace platform
