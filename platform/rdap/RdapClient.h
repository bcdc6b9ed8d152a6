#pragma once

#include "platform/rdap/RdapBootstrap.h"
#include "platform/rdap/RdapRequest.h"
#include "platform/rdap/RegistryLookup.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QSslConfiguration>

#include <deque>
#include <map>
#include <memory>

namespace platform {

// RegistryLookup over HTTPS. The bootstrap file is fetched at the first question and kept in
// memory for the run (fetched again at the next question if it could not be had); each name
// is then asked of its registry's service, at most MaxInFlight at once and MaxPerHost to one
// server, the rest waiting in the order asked. No cookie is kept, no credential is sent,
// nothing is written to disk.
class RdapClient : public QObject, public RegistryLookup {
    Q_OBJECT

public:
    static constexpr int MaxInFlight = 8;
    static constexpr int MaxPerHost = 2;
    static constexpr int kTimeoutMs = 10000;      // for each request, redirects included
    static constexpr int kRetryAfterMaxS = 30;    // a registry that asks for a longer wait: Unknown
    static constexpr int kRetryAfterDefaultS = 1; // after a 429 that names no wait

    // `bootstrapUrl` must be https, or on a loopback address (then base URLs may be http).
    explicit RdapClient(QUrl bootstrapUrl, QObject *parent = nullptr);
    ~RdapClient() override;

    Ticket ask(const QString &name, Answered answered) override;
    void drop(Ticket ticket) override;

    // For tests: each request's time limit, and how long one second of Retry-After lasts.
    void setTiming(int timeoutMs, int secondMs);
    // For tests: the TLS settings of every request, to trust a loopback server's certificate.
    void setTlsConfiguration(const QSslConfiguration &tls) { m_tls = tls; }

    // Questions asked and neither answered nor dropped yet.
    int unanswered() const { return int(m_out.size() + m_waiting.size()); }

private:
    struct Question {
        Ticket ticket = 0;
        QString name;
        Answered answered;
        QUrl url;        // once the bootstrap is read: the request's address
        QString host;    // and its host, as counted for MaxPerHost
        QString problem; // or why there is none
        bool retried = false;
        std::unique_ptr<RdapRequest> request; // while a request is under way
    };

    void schedulePump();
    void pump();
    void locate(Question &question) const;
    void send(Question &question);
    void handleResult(Ticket ticket, const RdapRequest::Result &result);
    void fetchBootstrap();
    void handleBootstrap(const RdapRequest::Result &result);
    void failWaiting(const QString &reason);
    std::unique_ptr<RdapRequest> start(const QUrl &url, const QByteArray &accept,
                                       RdapRequest::Done done);

    QNetworkAccessManager m_network; // first, so that it outlives every request
    QUrl m_bootstrapUrl;
    QSslConfiguration m_tls = QSslConfiguration::defaultConfiguration();
    int m_timeoutMs = kTimeoutMs;
    int m_secondMs = 1000;
    std::optional<RdapBootstrap> m_bootstrap;
    std::unique_ptr<RdapRequest> m_bootstrapRequest;
    Ticket m_lastTicket = 0;
    std::deque<Question> m_waiting;   // not sent yet, in the order asked
    std::map<Ticket, Question> m_out; // under way, or waiting to be asked again after a 429
    bool m_pumpScheduled = false;
};

} // namespace platform
