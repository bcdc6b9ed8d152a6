#pragma once

#include <QByteArray>
#include <QNetworkRequest>
#include <QObject>
#include <QString>

#include <functional>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;

namespace platform {

// One GET within the limits every RDAP request keeps: a time limit for the whole exchange, an
// answer of at most kMaxBytes (it stops reading as soon as it is over), at most kMaxRedirects
// redirects and those only to https. `done` runs once, later, unless the request is destroyed
// first, which aborts it without a word; it may destroy the request.
class RdapRequest : public QObject {
public:
    struct Result {
        int status = 0;        // the HTTP status, when an answer came and was kept
        QByteArray body;       // the answer's body
        QByteArray retryAfter; // its Retry-After header
        QString failure;       // why no answer was kept (plain words), else empty
    };
    using Done = std::function<void(const Result &)>;

    static constexpr int kMaxRedirects = 3;
    static constexpr qint64 kMaxBytes = 1024 * 1024;

    RdapRequest(QNetworkAccessManager &network, QNetworkRequest request, int timeoutMs, Done done);
    ~RdapRequest() override;

private:
    void send(const QUrl &url);
    void fail(const QString &reason);
    bool followRedirect();
    QString failure() const;
    void finish();

    QNetworkAccessManager &m_network;
    QNetworkRequest m_request;
    QNetworkReply *m_reply = nullptr; // the one for the latest address
    QTimer *m_deadline = nullptr;
    QString m_abortReason; // why this request ended its reply itself
    int m_redirects = 0;
    Done m_done;
};

} // namespace platform
