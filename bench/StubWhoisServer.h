#pragma once

#include "LoopbackServer.h"

// A loopback stand-in for the web WHOIS service. Any "/<domain>" is answered with a page of
// about 100 KB that pulls in a stylesheet, an image and a script which keeps changing the
// page, as real WHOIS pages with their ads and widgets do. HTTP/1.1 with keep-alive.
class StubWhoisServer {
public:
    StubWhoisServer();

    bool isListening() const { return m_server.isListening(); }
    // "http://127.0.0.1:<port>/"
    QString rootUrl() const { return m_server.rootUrl(); }
    // Page requests for domains that start with `prefix`; the static files are not counted.
    int pageRequests(const QString &prefix) const;
    int pageBytes() const { return int(m_page.size()); }

private:
    LoopbackServer::Reply respond(const QString &path) const;

    const QByteArray m_page; // with a placeholder for the domain
    const QByteArray m_styleSheet;
    const QByteArray m_image;
    const QByteArray m_script;
    LoopbackServer m_server;
};
