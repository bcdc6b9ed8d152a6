#include "LoopbackServer.h"

#include <QPointer>
#include <QSslServer>
#include <QTcpSocket>
#include <QTimer>

LoopbackServer::LoopbackServer(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
    listen(std::make_unique<QTcpServer>());
}

LoopbackServer::LoopbackServer(Handler handler, const QSslConfiguration &tls, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_tls(true)
{
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    listen(std::move(server));
}

LoopbackServer::~LoopbackServer() = default;

void LoopbackServer::listen(std::unique_ptr<QTcpServer> server)
{
    m_server = std::move(server);
    // Over TLS a connection is pending only once its handshake is done.
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
            &LoopbackServer::handlePendingConnection);
    m_server->listen(QHostAddress::LocalHost);
}

bool LoopbackServer::isListening() const
{
    return m_server->isListening();
}

QString LoopbackServer::rootUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2/")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(m_server->serverPort());
}

QString LoopbackServer::refusedRootUrl()
{
    // Take a free port and give it back: nothing listens there afterwards.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port);
}

void LoopbackServer::handlePendingConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        // The request may have come with the end of the TLS handshake.
        if (socket->bytesAvailable() > 0)
            answer(socket);
    }
}

void LoopbackServer::answer(QTcpSocket *socket)
{
    while (!socket->property("done").toBool()) {
        const QByteArray buffered = socket->peek(socket->bytesAvailable());
        const qsizetype end = buffered.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        m_request = socket->read(end + 4);
        const QString path =
            QString::fromLatin1(m_request.left(m_request.indexOf("\r\n")).split(' ').value(1));
        ++m_requests[path];
        const Reply reply = m_handler(path);
        if (reply.hangUp) {
            socket->abort();
            socket->deleteLater();
            return;
        }
        if (reply.stall || !m_keepAlive || reply.delayMs > 0)
            socket->setProperty("done", true);
        if (reply.stall)
            return;
        QByteArray response =
            "HTTP/1.1 " + QByteArray::number(reply.status) +
            " Stub\r\nContent-Type: " + reply.contentType +
            (m_keepAlive ? "\r\nConnection: keep-alive\r\n" : "\r\nConnection: close\r\n");
        for (const auto &[name, value] : reply.headers)
            response += name + ": " + value + "\r\n";
        if (reply.chunked) {
            response += "Transfer-Encoding: chunked\r\n\r\n" +
                        QByteArray::number(reply.body.size(), 16) + "\r\n" + reply.body +
                        "\r\n0\r\n\r\n";
        } else {
            const qint64 length =
                reply.declaredLength >= 0 ? reply.declaredLength : reply.body.size();
            response += "Content-Length: " + QByteArray::number(length) + "\r\n\r\n" + reply.body;
        }
        if (reply.delayMs <= 0) {
            send(socket, response);
            continue;
        }
        ++m_delayed;
        QTimer::singleShot(reply.delayMs, this, [this, socket = QPointer(socket), response] {
            --m_delayed;
            if (!socket)
                return;
            send(socket, response);
            // Later requests on a kept connection waited for this reply.
            if (m_keepAlive) {
                socket->setProperty("done", false);
                answer(socket);
            }
        });
    }
}

void LoopbackServer::send(QTcpSocket *socket, const QByteArray &response)
{
    socket->write(response);
    if (!m_keepAlive)
        socket->disconnectFromHost();
}
