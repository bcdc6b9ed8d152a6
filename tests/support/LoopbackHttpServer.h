#pragma once

#include <QHash>
#include <QTcpServer>

#include <functional>

// A minimal HTTP/1.1 server on 127.0.0.1 for tests: one response per connection, chosen by
// a handler from the request path. It counts the requests for each path.
class LoopbackHttpServer : public QObject {
    Q_OBJECT

public:
    struct Response {
        int status = 200;
        QByteArray contentType = "text/html; charset=utf-8";
        QByteArray body;
    };
    using Handler = std::function<Response(const QString &path)>;

    explicit LoopbackHttpServer(Handler handler, QObject *parent = nullptr);

    // "http://127.0.0.1:<port>/"
    QString rootUrl() const;
    int requests(const QString &path) const { return m_requests.value(path); }
    int totalRequests() const;

    // A page whose title is its own path, and which asks for no icon.
    static Response titledPage(const QString &path);

private:
    void handleConnection();

    QTcpServer m_server;
    Handler m_handler;
    QHash<QString, int> m_requests;
};
