#pragma once

#include <QHash>
#include <QList>
#include <QObject>
#include <QSslConfiguration>

#include <functional>
#include <memory>
#include <utility>

class QTcpServer;
class QTcpSocket;

// An HTTP/1.1 server on 127.0.0.1 for tests, plain or over TLS, that can also misbehave:
// one reply per connection, chosen by a handler from the request path, or no reply at all.
// It counts the requests for each path.
class StubWebServer : public QObject {
    Q_OBJECT

public:
    struct Reply {
        int status = 200;
        QByteArray body = {};
        QByteArray contentType = "text/html; charset=utf-8";
        QList<std::pair<QByteArray, QByteArray>> headers = {};
        // Close the connection without answering.
        bool hangUp = false;
        bool stall = false; // keep the connection open, never answering
    };
    using Handler = std::function<Reply(const QString &path)>;

    explicit StubWebServer(Handler handler, QObject *parent = nullptr);
    // Over TLS, with the certificate and key of `tls`.
    StubWebServer(Handler handler, const QSslConfiguration &tls, QObject *parent = nullptr);
    ~StubWebServer() override;

    // "http://127.0.0.1:<port>/", or https.
    QString rootUrl() const;
    int requests(const QString &path) const { return m_requests.value(path); }
    int totalRequests() const;

    // A page titled with its own path.
    static Reply titledPage(const QString &path);
    // A loopback address on which nothing listens, so that connections are refused.
    static QString refusedRootUrl();
    // The throwaway certificate for 127.0.0.1 in the test resources.
    static QSslConfiguration loopbackTls();

private:
    void handlePendingConnection();
    void answer(QTcpSocket *socket);

    std::unique_ptr<QTcpServer> m_server;
    Handler m_handler;
    QHash<QString, int> m_requests;
    bool m_tls = false;
};
