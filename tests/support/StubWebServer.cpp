#include "StubWebServer.h"

#include <QFile>
#include <QSslKey>
#include <QSslServer>
#include <QSslSocket>

StubWebServer::StubWebServer(Handler handler, QObject *parent)
    : QObject(parent), m_server(std::make_unique<QTcpServer>()), m_handler(std::move(handler))
{
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
            &StubWebServer::handlePendingConnection);
    m_server->listen(QHostAddress::LocalHost);
}

StubWebServer::StubWebServer(Handler handler, const QSslConfiguration &tls, QObject *parent)
    : QObject(parent), m_handler(std::move(handler)), m_tls(true)
{
    auto server = std::make_unique<QSslServer>();
    server->setSslConfiguration(tls);
    m_server = std::move(server);
    connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, this,
            &StubWebServer::handlePendingConnection);
    m_server->listen(QHostAddress::LocalHost);
}

StubWebServer::~StubWebServer() = default;

QString StubWebServer::rootUrl() const
{
    return QStringLiteral("%1://127.0.0.1:%2/")
        .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
        .arg(m_server->serverPort());
}

int StubWebServer::totalRequests() const
{
    int total = 0;
    for (int count : m_requests)
        total += count;
    return total;
}

StubWebServer::Reply StubWebServer::titledPage(const QString &path)
{
    if (path == u"/favicon.ico")
        return {404, {}};
    const QByteArray title = path.toHtmlEscaped().toUtf8();
    return {200, "<!doctype html><html><head><title>" + title + "</title></head><body><h1>" +
                     title + "</h1></body></html>"};
}

QString StubWebServer::refusedRootUrl()
{
    // Take a free port and give it back: nothing listens there afterwards.
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port);
}

QSslConfiguration StubWebServer::loopbackTls()
{
    QFile certificate(QStringLiteral(":/testdata/loopback-cert.pem"));
    QFile key(QStringLiteral(":/testdata/loopback-key.pem"));
    certificate.open(QIODevice::ReadOnly);
    key.open(QIODevice::ReadOnly);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate.readAll()));
    tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}

void StubWebServer::handlePendingConnection()
{
    while (QTcpSocket *socket = m_server->nextPendingConnection()) {
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { answer(socket); });
        if (socket->bytesAvailable() > 0)
            answer(socket);
    }
}

void StubWebServer::answer(QTcpSocket *socket)
{
    const QByteArray head = socket->peek(1 << 16);
    if (!head.contains("\r\n\r\n") || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    socket->readAll();
    const QString path = QString::fromLatin1(head.left(head.indexOf("\r\n")).split(' ').value(1));
    ++m_requests[path];
    const Reply reply = m_handler(path);
    if (reply.stall)
        return;
    if (reply.hangUp) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    QByteArray response = "HTTP/1.1 " + QByteArray::number(reply.status) +
                          " Stub\r\nContent-Type: " + reply.contentType +
                          "\r\nContent-Length: " + QByteArray::number(reply.body.size()) +
                          "\r\nConnection: close\r\n";
    for (const auto &[name, value] : reply.headers)
        response += name + ": " + value + "\r\n";
    socket->write(response + "\r\n" + reply.body);
    socket->disconnectFromHost();
}
