#include "LoopbackRegistry.h"

#include <QDateTime>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace {

// A domain object as gTLD registries send it: %1 the name as they spell it (upper case), %2
// the status values, %3 the registrar's name (both as JSON text), %4 entities listed before the
// registrar, %5 more members.
constexpr char kRecord[] = R"({
  "rdapConformance": ["rdap_level_0", "icann_rdap_response_profile_1",
                      "icann_rdap_technical_implementation_guide_1"],
  "objectClassName": "domain",
  "handle": "2336799_DOMAIN_TEST-STANDIN",
  "ldhName": "%1",
  "links": [{"value": "https://rdap.stand-in.test/domain/%1", "rel": "self",
             "href": "https://rdap.stand-in.test/domain/%1", "type": "application/rdap+json"}],
  "status": [%2],
  "entities": [%4{
    "objectClassName": "entity", "handle": "9999", "roles": ["registrar"],
    "publicIds": [{"type": "IANA Registrar ID", "identifier": "9999"}],
    "vcardArray": ["vcard", [["version", {}, "text", "4.0"], ["fn", {}, "text", "%3"]]],
    "entities": [{"objectClassName": "entity", "roles": ["abuse"],
      "vcardArray": ["vcard", [["version", {}, "text", "4.0"], ["fn", {}, "text", ""],
        ["tel", {"type": "voice"}, "uri", "tel:+1.5555550100"],
        ["email", {}, "text", "abuse@stand-in.test"]]]}]
  }],
  "events": [
    {"eventAction": "registration", "eventDate": "1995-08-14T04:00:00Z"},
    {"eventAction": "expiration", "eventDate": "2031-08-13T04:00:00Z"},
    {"eventAction": "last changed", "eventDate": "2024-08-14T07:01:38.512Z"},
    {"eventAction": "last update of RDAP database", "eventDate": "2026-01-01T00:00:00Z"}
  ],
  "secureDNS": {"delegationSigned": false},
  "nameservers": [{"objectClassName": "nameserver", "ldhName": "NS1.STAND-IN.TEST"},
                  {"objectClassName": "nameserver", "ldhName": "NS2.STAND-IN.TEST"}],
  "notices": [{"title": "Terms of Use", "description": ["Service subject to Terms of Use."]}]%5
})";
constexpr char kRegistrar[] = "Stand-in Registrar Ltd";
constexpr char kStatus[] =
    R"("client delete prohibited", "client transfer prohibited", "client update prohibited")";

// The registrant as registries show it under data protection rules (RFC 9537).
constexpr char kRedactedRegistrant[] = R"({
    "objectClassName": "entity", "handle": "", "roles": ["registrant"],
    "remarks": [{"title": "REDACTED FOR PRIVACY", "type": "object redacted due to authorization",
                 "description": ["Some of the data in this object has been removed."]}],
    "vcardArray": ["vcard", [["version", {}, "text", "4.0"], ["fn", {}, "text", ""],
      ["adr", {}, "text", ["", "", "", "", "QC", "", "CA"]], ["kind", {}, "text", "individual"]]]
  }, )";
constexpr char kRedactions[] = R"(,
  "redacted": [{"name": {"type": "Registrant Name"}, "method": "emptyValue",
                "prePath": "$.entities[?(@.roles[0]=='registrant')].vcardArray[1][?(@[0]=='fn')][3]"}])";

// Text meant to turn words around, break lines, hide itself and run long.
QString hostileRegistrar()
{
    return R"(\u202eStand-in\u0007 Registrar\r\nLtd\u200b )" + QString(150, u'x');
}
QString hostileStatus()
{
    return R"("pending\u200b delete", "redemption\u0000 period", ")" + QString(60, u's') + "\"" +
           QStringLiteral(R"(, "active")").repeated(9);
}

QByteArray record(const QString &name, const QString &registrar = kRegistrar,
                  const QString &status = kStatus, bool redacted = false)
{
    return QString::fromUtf8(kRecord)
        .arg(name.toUpper(), status, registrar, redacted ? kRedactedRegistrant : "",
             redacted ? kRedactions : "")
        .toUtf8();
}

LoopbackServer::Reply redirect(const QString &to)
{
    return {301, {}, "text/html", {{"Location", to.toUtf8()}}};
}

} // namespace

LoopbackRegistry::LoopbackRegistry(QHash<QString, Reply> script, Reply otherwise,
                                   const QStringList &suffixes, int servers,
                                   const QSslConfiguration &tls, QObject *parent)
    : QObject(parent), m_script(std::move(script)), m_otherwise(otherwise)
{
    for (const QString &suffix : suffixes)
        m_suffixes << (suffix.startsWith(u'.') ? suffix.mid(1) : suffix);
    for (int i = 0; i < std::max(servers, 1); ++i) {
        m_servers.push_back(std::make_unique<LoopbackServer>(
            [this, i](const QString &path) { return answer(*m_servers[i], path); }));
    }
    if (!tls.isNull()) {
        m_tls = std::make_unique<LoopbackServer>(
            [this](const QString &path) { return answer(*m_tls, path); }, tls);
    }
    // Connections kept, as registries keep them.
    for (const auto &server : m_servers)
        server->setKeepAlive(true);
    if (m_tls)
        m_tls->setKeepAlive(true);
}

LoopbackRegistry::~LoopbackRegistry() = default;

QUrl LoopbackRegistry::bootstrapUrl() const
{
    return QUrl(m_servers.front()->rootUrl() + QStringLiteral("dns.json"));
}

int LoopbackRegistry::requests(const QString &name) const
{
    if (!name.isEmpty())
        return m_requests.value(name);
    int all = 0;
    for (const int count : m_requests)
        all += count;
    return all;
}

LoopbackServer::Reply LoopbackRegistry::answer(const LoopbackServer &server, const QString &path)
{
    LoopbackServer::Reply answer = path == u"/dns.json" ? bootstrap() : rdap(server, path);
    answer.headers.append(
        std::pair<QByteArray, QByteArray>("Set-Cookie", "registry-session=1; Path=/"));
    answer.delayMs = m_delayMs;
    return answer;
}

LoopbackServer::Reply LoopbackRegistry::bootstrap()
{
    ++m_bootstrapRequests;
    if (m_bootstrapFailures > 0) {
        // As a network that wants its users to sign in first answers.
        --m_bootstrapFailures;
        return {200, "<!doctype html><title>Sign in to this network</title>"};
    }
    QJsonArray services;
    for (qsizetype i = 0; i < m_suffixes.size(); ++i) {
        const QString base = m_servers[i % m_servers.size()]->rootUrl() + QStringLiteral("rdap/");
        services.append(QJsonArray{QJsonArray{m_suffixes[i]}, QJsonArray{base}});
    }
    const QJsonObject file{{"version", "1.0"},
                           {"publication", "2026-01-01T00:00:00Z"},
                           {"description", "RDAP services of the stand-in registry"},
                           {"services", services}};
    return {200, QJsonDocument(file).toJson(), "application/json"};
}

LoopbackServer::Reply LoopbackRegistry::rdap(const LoopbackServer &server, const QString &path)
{
    // "/rdap/domain/<name>", or "/plain/domain/<name>" where ToHttp leads.
    const QString name = path.section(u'/', 3).toLower();
    ++m_requests[name];
    m_lastRequests[name] = server.request();
    if (m_delayMs > 0) {
        int out = 1 + (m_tls ? m_tls->delayed() : 0);
        for (const auto &each : m_servers)
            out += each->delayed();
        m_mostOut = std::max(m_mostOut, out);
        m_mostOutAtOneServer = std::max(m_mostOutAtOneServer, server.delayed() + 1);
    }
    Reply kind = m_script.value(name, m_otherwise);
    // Where ToHttps and ToHttp lead, the record.
    if (path.startsWith(u"/plain/") || (&server == m_tls.get() && kind == Reply::ToHttps))
        kind = Reply::Full;
    return reply(server, name, kind);
}

LoopbackServer::Reply LoopbackRegistry::reply(const LoopbackServer &server, const QString &name,
                                              Reply kind)
{
    const QByteArray type = "application/rdap+json";
    const QString path = QStringLiteral("domain/") + name;
    switch (kind) {
    case Reply::Full:
        break;
    case Reply::Minimal:
        return {200,
                R"({"rdapConformance": ["rdap_level_0"], "objectClassName": "domain", )"
                R"("ldhName": ")" +
                    name.toUtf8() + "\"}",
                type};
    case Reply::Redacted:
        return {200, record(name, kRegistrar, kStatus, true), type};
    case Reply::NoRecord:
        return {404, R"({"errorCode": 404, "title": "Not Found"})", type};
    case Reply::RateLimitedOnce:
        if (m_requests.value(name) > 1)
            break;
        [[fallthrough]];
    case Reply::RateLimited:
        return {429, {}, type, {{"Retry-After", "1"}}};
    case Reply::RateLimitedLong: {
        const QString date =
            QLocale::c().toString(QDateTime::currentDateTimeUtc().addSecs(40),
                                  QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
        return {429, {}, type, {{"Retry-After", date.toLatin1()}}};
    }
    case Reply::ServerError:
        return {500, "Internal Server Error", "text/plain"};
    case Reply::Silent:
        return {.stall = true};
    case Reply::Malformed:
        return {200, record(name).left(300), type};
    case Reply::Oversized:
    case Reply::OversizedStream: {
        // Valid JSON, only too long: two MiB of white space before the record. Given a length,
        // it sends only the start, so that only the length can tell.
        LoopbackServer::Reply big{200, QByteArray(2 << 20, ' ') + record(name), type};
        if (kind == Reply::Oversized) {
            big.declaredLength = big.body.size();
            big.body.truncate(1024);
        }
        big.chunked = kind == Reply::OversizedStream;
        return big;
    }
    case Reply::OtherName:
        return {200, record(QStringLiteral("other-") + name), type};
    case Reply::Hostile:
        return {200, record(name, hostileRegistrar(), hostileStatus()), type};
    case Reply::ToHttps:
        // Without a TLS server there is nowhere to send it.
        return m_tls ? redirect(m_tls->rootUrl() + QStringLiteral("rdap/") + path)
                     : LoopbackServer::Reply{500, "No TLS server", "text/plain"};
    case Reply::ToHttp:
        return redirect(server.rootUrl() + QStringLiteral("plain/") + path);
    case Reply::RedirectLoop: // over https, when it can
        return redirect((m_tls ? *m_tls : server).rootUrl() + QStringLiteral("rdap/") + path);
    }
    return {200, record(name), type};
}
