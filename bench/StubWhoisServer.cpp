#include "StubWhoisServer.h"

#include "StubWhoisPage.h"

#include <QTcpSocket>
#include <QUrl>

StubWhoisServer::StubWhoisServer(QObject *parent)
    : QObject(parent), m_page(StubWhoisPage::pageTemplate()),
      m_styleSheet(StubWhoisPage::styleSheet()), m_image(StubWhoisPage::image()),
      m_script(StubWhoisPage::script())
{
    connect(&m_server, &QTcpServer::newConnection, this, &StubWhoisServer::handleConnection);
}

bool StubWhoisServer::listen()
{
    return m_server.listen(QHostAddress::LocalHost);
}

QString StubWhoisServer::rootUrl() const
{
    return QStringLiteral("http://127.0.0.1:%1/").arg(m_server.serverPort());
}

int StubWhoisServer::pageRequests(const QString &prefix) const
{
    int count = 0;
    for (auto it = m_pageRequests.begin(); it != m_pageRequests.end(); ++it) {
        if (it.key().startsWith(prefix))
            count += it.value();
    }
    return count;
}

void StubWhoisServer::handleConnection()
{
    while (QTcpSocket *socket = m_server.nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { handleReadyRead(socket); });
    }
}

void StubWhoisServer::handleReadyRead(QTcpSocket *socket)
{
    // Requests carry no body here (GET only), so each ends with its blank line.
    for (;;) {
        const QByteArray buffered = socket->peek(socket->bytesAvailable());
        const qsizetype end = buffered.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QByteArray head = socket->read(end + 4);
        const QList<QByteArray> requestLine = head.left(head.indexOf("\r\n")).split(' ');
        socket->write(respond(requestLine.value(1)));
    }
}

QByteArray StubWhoisServer::respond(const QByteArray &path)
{
    int status = 200;
    QByteArray type = "text/html; charset=utf-8";
    QByteArray cache = "max-age=3600";
    QByteArray body;
    if (path == "/static/whois.css") {
        type = "text/css";
        body = m_styleSheet;
    } else if (path == "/static/logo.png") {
        type = "image/png";
        body = m_image;
    } else if (path == "/static/widget.js") {
        type = "text/javascript";
        body = m_script;
    } else if (path.startsWith("/static/") || path == "/favicon.ico" || path.size() < 2) {
        status = 404;
        body = "not found";
    } else {
        const QString domain = QUrl::fromPercentEncoding(path.mid(1));
        ++m_pageRequests[domain];
        body = m_page;
        body.replace(StubWhoisPage::kDomainMark, domain.toHtmlEscaped().toUtf8());
        cache = "no-store";
    }
    return "HTTP/1.1 " + QByteArray::number(status) + (status == 200 ? " OK" : " Not Found") +
           "\r\nContent-Type: " + type + "\r\nContent-Length: " + QByteArray::number(body.size()) +
           "\r\nCache-Control: " + cache + "\r\nConnection: keep-alive\r\n\r\n" + body;
}
