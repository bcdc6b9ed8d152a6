#pragma once

#include "LoopbackServer.h"

#include <QHash>
#include <QObject>
#include <QSslConfiguration>
#include <QStringList>
#include <QUrl>

#include <memory>
#include <vector>

// A bootstrap file and the RDAP services it lists, on 127.0.0.1, answering each name as
// scripted, so that the tests, the benchmark and the screenshot tool ask registries without
// the network. Replies are shaped like real registries' (a gTLD's full record, a minimal one,
// one with its contacts redacted); the rest misbehave as the tests need. Every reply sets a
// cookie, which no request should carry back.
class LoopbackRegistry : public QObject {
    Q_OBJECT

public:
    enum class Reply {
        Full,            // 200: registered 1995-08-14, expires 2031-08-13, last changed 2024-08-14,
                         // registrar "Stand-in Registrar Ltd", three "client ... prohibited" values
        Minimal,         // 200: the name and nothing else
        Redacted,        // 200: as Full, the registrant's contact redacted and listed first
        NoRecord,        // 404
        RateLimitedOnce, // 429 with "Retry-After: 1" the first time, then as Full
        RateLimited,     // 429 with "Retry-After: 1" every time
        RateLimitedLong, // 429 with Retry-After a date 40 seconds ahead
        ServerError,     // 500
        Silent,          // never answers
        Malformed,       // 200 with JSON cut short
        Oversized,       // 200 that gives a length of 2 MiB, sends 1 KiB, and waits
        OversizedStream, // 200 with a body of 2 MiB in chunks, no length given
        OtherName,       // 200 with a full record for another name
        Hostile,         // 200: control and format characters in a long registrar, 12 status values
        ToHttps,         // 301 to the TLS server, which answers as Full
        ToHttp,          // 301 to a plain http address, which answers as Full
        RedirectLoop,    // 301 to itself, on the TLS server when there is one
    };

    // `suffixes` ("test", "co.uk") are listed in the bootstrap file, on `servers` plain servers
    // in turn; a name not in `script` gets `otherwise` (names in lower case). With `tls`, a TLS
    // server takes the redirects of ToHttps.
    LoopbackRegistry(QHash<QString, Reply> script, Reply otherwise, const QStringList &suffixes,
                     int servers = 1, const QSslConfiguration &tls = {}, QObject *parent = nullptr);
    ~LoopbackRegistry() override;

    // To be given to the program as the bootstrap file's address.
    QUrl bootstrapUrl() const;
    // The next `times` requests for the bootstrap file get a web page instead.
    void failBootstrap(int times) { m_bootstrapFailures = times; }
    // Every reply waits this long, so that a test sees how many requests are out at once.
    void setDelayMs(int ms) { m_delayMs = ms; }

    int bootstrapRequests() const { return m_bootstrapRequests; }
    // RDAP requests for `name`, on any server; with no name, all of them.
    int requests(const QString &name = {}) const;
    // The head of the last request for `name`.
    QByteArray lastRequest(const QString &name) const { return m_lastRequests.value(name); }
    // The most requests out at once (waiting for a delayed reply): in all, and at one server.
    int mostOut() const { return m_mostOut; }
    int mostOutAtOneServer() const { return m_mostOutAtOneServer; }

private:
    LoopbackServer::Reply answer(const LoopbackServer &server, const QString &path);
    LoopbackServer::Reply bootstrap();
    LoopbackServer::Reply rdap(const LoopbackServer &server, const QString &path);
    LoopbackServer::Reply reply(const LoopbackServer &server, const QString &name, Reply kind);

    QHash<QString, Reply> m_script;
    Reply m_otherwise;
    QStringList m_suffixes;
    std::vector<std::unique_ptr<LoopbackServer>> m_servers;
    std::unique_ptr<LoopbackServer> m_tls;
    QHash<QString, int> m_requests;
    QHash<QString, QByteArray> m_lastRequests;
    int m_bootstrapFailures = 0;
    int m_bootstrapRequests = 0;
    int m_delayMs = 0;
    int m_mostOut = 0;
    int m_mostOutAtOneServer = 0;
};
