#pragma once

#include <QHash>
#include <QTcpServer>

class QTcpSocket;

// A loopback stand-in for the web WHOIS service. Any "/<domain>" is answered with a page of
// about 100 KB that pulls in a stylesheet, an image and a script which keeps changing the
// page, as real WHOIS pages with their ads and widgets do. HTTP/1.1 with keep-alive.
class StubWhoisServer : public QObject {
    Q_OBJECT

public:
    explicit StubWhoisServer(QObject *parent = nullptr);

    bool listen();
    // "http://127.0.0.1:<port>/"
    QString rootUrl() const;
    // Page requests for domains that start with `prefix`; the static files are not counted.
    int pageRequests(const QString &prefix) const;
    int pageBytes() const { return int(m_page.size()); }

private:
    void handleConnection();
    void handleReadyRead(QTcpSocket *socket);
    QByteArray respond(const QByteArray &path);

    QTcpServer m_server;
    QHash<QString, int> m_pageRequests;
    QByteArray m_page; // with a placeholder for the domain
    QByteArray m_styleSheet;
    QByteArray m_image;
    QByteArray m_script;
};
