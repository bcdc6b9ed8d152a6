#include "platform/rdap/RdapClient.h"

#include "platform/rdap/RdapReply.h"

#include <QHostAddress>
#include <QNetworkCookie>
#include <QNetworkCookieJar>
#include <QNetworkRequest>
#include <QTimer>

#include <algorithm>
#include <ranges>

namespace platform {

namespace {

// Keeps no cookie: a registry cannot tie one question to the next.
class NoCookieJar : public QNetworkCookieJar {
public:
    QList<QNetworkCookie> cookiesForUrl(const QUrl &) const override { return {}; }
    bool setCookiesFromUrl(const QList<QNetworkCookie> &, const QUrl &) override { return false; }
};

RegistryAnswer unknown(const QString &reason)
{
    RegistryAnswer answer;
    answer.reason = reason;
    return answer;
}

RegistryAnswer answerFor(const RdapRequest::Result &result, const QString &name)
{
    if (!result.failure.isEmpty())
        return unknown(result.failure);
    switch (result.status) {
    case 200:
        return registryRecordFrom(result.body, name);
    case 404: {
        RegistryAnswer answer;
        answer.outcome = RegistryAnswer::Outcome::NoRecord;
        return answer;
    }
    case 429:
        return unknown(QStringLiteral("the registry limits how often it answers"));
    default:
        return unknown(QStringLiteral("HTTP status %1").arg(result.status));
    }
}

bool isLoopback(const QUrl &url)
{
    return QHostAddress(url.host()).isLoopback();
}

// Letters, digits, hyphens and dots only: nothing that could change the request's address.
bool isAsciiName(const QString &name)
{
    return !name.isEmpty() && std::ranges::all_of(name, [](QChar c) {
        return (c.unicode() < 128 && c.isLetterOrNumber()) || c == u'-' || c == u'.';
    });
}

} // namespace

RdapClient::RdapClient(QUrl bootstrapUrl, QObject *parent)
    : QObject(parent), m_bootstrapUrl(std::move(bootstrapUrl))
{
    m_network.setCookieJar(new NoCookieJar);
}

RdapClient::~RdapClient() = default;

RegistryLookup::Ticket RdapClient::ask(const QString &name, Answered answered)
{
    Question question;
    question.ticket = ++m_lastTicket;
    question.name = name;
    question.answered = std::move(answered);
    m_waiting.push_back(std::move(question));
    // From the event loop, so that no answer arrives before ask() has returned its ticket.
    schedulePump();
    return m_lastTicket;
}

void RdapClient::drop(Ticket ticket)
{
    // Destroying its request aborts it.
    if (m_out.erase(ticket) == 0)
        std::erase_if(m_waiting, [ticket](const Question &q) { return q.ticket == ticket; });
    schedulePump();
}

void RdapClient::setTiming(int timeoutMs, int secondMs)
{
    m_timeoutMs = timeoutMs;
    m_secondMs = secondMs;
}

void RdapClient::schedulePump()
{
    if (!std::exchange(m_pumpScheduled, true))
        QMetaObject::invokeMethod(this, &RdapClient::pump, Qt::QueuedConnection);
}

void RdapClient::pump()
{
    m_pumpScheduled = false;
    if (!m_bootstrap) {
        if (!m_waiting.empty() && !m_bootstrapRequest)
            fetchBootstrap();
        return;
    }
    for (Question &question : m_waiting) {
        if (question.url.isEmpty() && question.problem.isEmpty())
            locate(question);
    }
    const auto outTo = [this](const QString &host) {
        return std::ranges::count(m_out | std::views::values, host, &Question::host);
    };
    // Each turn looks afresh: an answer given here may ask or drop other questions.
    for (;;) {
        const bool room = m_out.size() < std::size_t(MaxInFlight);
        const auto next = std::ranges::find_if(m_waiting, [&](const Question &question) {
            return !question.problem.isEmpty() ||
                   (room && !question.url.isEmpty() && outTo(question.host) < MaxPerHost);
        });
        if (next == m_waiting.end())
            return;
        Question question = std::move(*next);
        m_waiting.erase(next);
        if (!question.problem.isEmpty()) {
            question.answered(unknown(question.problem));
            continue;
        }
        send(question);
        const Ticket ticket = question.ticket;
        m_out.emplace(ticket, std::move(question));
    }
}

void RdapClient::locate(Question &question) const
{
    const QString &name = question.name;
    if (!isAsciiName(name)) {
        question.problem = QStringLiteral("not a domain name in ASCII");
        return;
    }
    const qsizetype dot = name.indexOf(u'.');
    const QString suffix = dot < 0 ? name : name.mid(dot);
    const std::optional<QUrl> base = m_bootstrap->serverFor(name);
    if (!base) {
        question.problem = QStringLiteral("no RDAP service is listed for %1").arg(suffix);
    } else if (base->isEmpty()) {
        question.problem = QStringLiteral("the RDAP service for %1 is not on https").arg(suffix);
    } else {
        question.url = *base;
        question.url.setPath(base->path() + QStringLiteral("domain/") + name);
        question.host = question.url.authority();
    }
}

void RdapClient::send(Question &question)
{
    const Ticket ticket = question.ticket;
    question.request =
        start(question.url, "application/rdap+json",
              [this, ticket](const RdapRequest::Result &result) { handleResult(ticket, result); });
}

void RdapClient::handleResult(Ticket ticket, const RdapRequest::Result &result)
{
    // Always found: a dropped question's request is gone, and with it its callback.
    const auto out = m_out.find(ticket);
    Question &question = out->second;
    if (result.status == 429 && !question.retried) {
        const qint64 wait = retryAfterSeconds(result.retryAfter, QDateTime::currentDateTimeUtc())
                                .value_or(kRetryAfterDefaultS);
        if (wait <= kRetryAfterMaxS) {
            // It keeps its place among those under way while it waits.
            question.retried = true;
            question.request.reset();
            QTimer::singleShot(wait * m_secondMs, this, [this, ticket] {
                if (const auto again = m_out.find(ticket); again != m_out.end())
                    send(again->second);
            });
            return;
        }
    }
    const RegistryAnswer answer = answerFor(result, question.name);
    const Answered answered = std::move(question.answered);
    m_out.erase(out);
    schedulePump();
    answered(answer);
}

void RdapClient::fetchBootstrap()
{
    if (m_bootstrapUrl.scheme() != u"https" &&
        !(m_bootstrapUrl.scheme() == u"http" && isLoopback(m_bootstrapUrl))) {
        failWaiting(QStringLiteral("its address is not https"));
        return;
    }
    m_bootstrapRequest =
        start(m_bootstrapUrl, "application/json",
              [this](const RdapRequest::Result &result) { handleBootstrap(result); });
}

void RdapClient::handleBootstrap(const RdapRequest::Result &result)
{
    const std::unique_ptr<RdapRequest> request = std::move(m_bootstrapRequest);
    if (!result.failure.isEmpty())
        return failWaiting(result.failure);
    if (result.status != 200)
        return failWaiting(QStringLiteral("HTTP status %1").arg(result.status));
    m_bootstrap = RdapBootstrap::parse(result.body, isLoopback(m_bootstrapUrl));
    if (!m_bootstrap)
        return failWaiting(QStringLiteral("an answer that is not one"));
    schedulePump();
}

void RdapClient::failWaiting(const QString &why)
{
    const RegistryAnswer answer = unknown(QStringLiteral("no list of RDAP services: %1").arg(why));
    // Those asked so far; a question asked meanwhile has the file fetched again.
    const Ticket last = m_lastTicket;
    while (!m_waiting.empty() && m_waiting.front().ticket <= last) {
        const Answered answered = std::move(m_waiting.front().answered);
        m_waiting.pop_front();
        answered(answer);
    }
}

std::unique_ptr<RdapRequest> RdapClient::start(const QUrl &url, const QByteArray &accept,
                                               RdapRequest::Done done)
{
    QNetworkRequest request(url);
    request.setRawHeader("Accept", accept);
    request.setSslConfiguration(m_tls);
    return std::make_unique<RdapRequest>(m_network, std::move(request), m_timeoutMs,
                                         std::move(done));
}

} // namespace platform
