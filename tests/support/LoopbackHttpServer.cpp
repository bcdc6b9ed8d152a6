#include "LoopbackHttpServer.h"

#include <QTcpSocket>

LoopbackHttpServer::LoopbackHttpServer(Handler handler, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
    connect(&m_server, &QTcpServer::newConnection, this, &LoopbackHttpServer::handleConnection);
    m_server.listen(QHostAddress::LocalHost);
}

QString LoopbackHttpServer::rootUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
}

int LoopbackHttpServer::totalRequests() const
{
    int total = 0;
    for (int count : m_requests)
        total += count;
    return total;
}

LoopbackHttpServer::Response LoopbackHttpServer::titledPage(const QString &path)
{
    const QByteArray title = path.toHtmlEscaped().toUtf8();
    return {200, "text/html; charset=utf-8",
            "<!doctype html><html><head><link rel=icon href=\"data:,\"><title>" + title +
                "</title></head><body><h1>" + title + "</h1></body></html>"};
}

void LoopbackHttpServer::handleConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] {
            const QByteArray head = socket->peek(1 << 16);
            if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
                return;
            socket->readAll();
            const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
            socket->setProperty("answered", true);
            const QString path = QString::fromLatin1(requestLine.value(1));
            ++m_requests[path];
            const Response response = m_handler(path);
            socket->write("HTTP/1.1 " + QByteArray::number(response.status) +
                          " X\r\nContent-Type: " + response.contentType +
                          "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                          "\r\nConnection: close\r\n\r\n" + response.body);
            socket->disconnectFromHost();
        });
    }
}
