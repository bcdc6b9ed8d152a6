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

// An HTTP/1.1 server on 127.0.0.1, plain or over TLS, that stands in for web services in the
// tests, the benchmark and the tools. A handler chooses each reply from the request path; a
// reply may also misbehave, closing the connection unanswered or never answering. Requests
// carry no body here (GET only). The server counts the requests for each path.
class LoopbackServer : public QObject {
    Q_OBJECT

public:
    struct Reply {
        int status = 200;
        QByteArray body = {};
        QByteArray contentType = "text/html; charset=utf-8";
        QList<std::pair<QByteArray, QByteArray>> headers = {};
        // Close the connection without answering.
        bool hangUp = false;
        bool stall = false;   // keep the connection open, never answering
        int delayMs = 0;      // answer after this long
        bool chunked = false; // give no length: the body in chunks, as streamed answers come
        // A length other than the body's, as from a server that has more to send.
        qint64 declaredLength = -1;
    };
    using Handler = std::function<Reply(const QString &path)>;

    explicit LoopbackServer(Handler handler, QObject *parent = nullptr);
    // Over TLS, with the certificate and key of `tls`.
    LoopbackServer(Handler handler, const QSslConfiguration &tls, QObject *parent = nullptr);
    ~LoopbackServer() override;

    // Answer several requests on one connection, as real services do; off, each connection
    // gets one reply, so that every request arrives on a connection of its own.
    void setKeepAlive(bool keepAlive) { m_keepAlive = keepAlive; }

    bool isListening() const;
    // "http://127.0.0.1:<port>/", or https.
    QString rootUrl() const;
    int requests(const QString &path) const { return m_requests.value(path); }
    const QHash<QString, int> &requestCounts() const { return m_requests; }
    // The head of the request being answered, for a handler that looks at its headers.
    const QByteArray &request() const { return m_request; }
    // Requests received whose delayed reply is not yet sent.
    int delayed() const { return m_delayed; }

    // A loopback address on which nothing listens, so that connections are refused.
    static QString refusedRootUrl();

private:
    void listen(std::unique_ptr<QTcpServer> server);
    void handlePendingConnection();
    void answer(QTcpSocket *socket);
    void send(QTcpSocket *socket, const QByteArray &response);

    std::unique_ptr<QTcpServer> m_server;
    Handler m_handler;
    QHash<QString, int> m_requests;
    QByteArray m_request;
    int m_delayed = 0;
    bool m_tls = false;
    bool m_keepAlive = false;
};
