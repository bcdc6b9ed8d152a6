#include "SignedDnsChain.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>

namespace {

const char kRootZone[] = R"(. 3600 IN SOA a.root-servers.test. admin.test. 1 3600 600 86400 300
. 3600 IN NS a.root-servers.test.
a.root-servers.test. 3600 IN A 127.0.0.2
)";

// A suffix's zone, with "taken" delegated to an unsigned zone of its own.
QByteArray suffixZone(const QByteArray &suffix)
{
    return QByteArray(R"(S. 3600 IN SOA a.nic.S. admin.test. 1 3600 600 86400 300
S. 3600 IN NS a.nic.S.
a.nic.S. 3600 IN A 127.0.0.2
taken.S. 3600 IN NS ns1.taken.S.
ns1.taken.S. 3600 IN A 127.0.0.2
)")
        .replace("S.", suffix + '.');
}

QByteArray takenZone(const QByteArray &suffix)
{
    return QByteArray(R"(taken.S. 3600 IN SOA ns1.taken.S. admin.test. 1 3600 600 86400 300
taken.S. 3600 IN NS ns1.taken.S.
ns1.taken.S. 3600 IN A 127.0.0.2
)")
        .replace("S.", suffix + '.');
}

bool write(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

SignedDnsChain::SignedDnsChain() = default;

SignedDnsChain::~SignedDnsChain()
{
    for (QProcess *server : {&m_unbound, &m_nsd}) {
        server->terminate();
        if (!server->waitForFinished(3000))
            server->kill();
        server->waitForFinished(3000);
    }
}

QString SignedDnsChain::trustAnchorFile() const
{
    return m_dir.filePath(QStringLiteral("anchor.ds"));
}

bool SignedDnsChain::run(const QString &program, const QStringList &arguments, QByteArray *output,
                         QString *error)
{
    QProcess process;
    process.setWorkingDirectory(m_dir.path());
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        *error = program + QStringLiteral(" failed: ") + process.errorString() + u' ' +
                 QString::fromLocal8Bit(process.readAllStandardError());
        return false;
    }
    if (output)
        *output = process.readAllStandardOutput().trimmed();
    return true;
}

// Signs `zone` ("." or a suffix) with a key-signing and a zone-signing key of its own; the
// key-signing key's DS record goes to the root (for a suffix) or becomes the trust anchor.
bool SignedDnsChain::signZone(const QString &zone, QString *error)
{
    QByteArray ksk, zsk;
    const QString origin = zone == u"." ? zone : zone + u'.';
    const QString file =
        zone == u"." ? QStringLiteral("root.zone") : zone + QStringLiteral(".zone");
    if (!run(QStringLiteral("ldns-keygen"), {"-a", "ECDSAP256SHA256", "-k", origin}, &ksk, error) ||
        !run(QStringLiteral("ldns-keygen"), {"-a", "ECDSAP256SHA256", origin}, &zsk, error))
        return false;
    QFile ds(m_dir.filePath(QString::fromLatin1(ksk + ".ds")));
    if (!ds.open(QIODevice::ReadOnly))
        return false;
    const QByteArray record = ds.readAll();
    QFile parent(
        m_dir.filePath(zone == u"." ? QStringLiteral("anchor.ds") : QStringLiteral("root.zone")));
    if (!parent.open(QIODevice::Append) || parent.write(record) != record.size())
        return false;
    parent.close();
    return run(QStringLiteral("ldns-signzone"),
               {file, QString::fromLatin1(ksk), QString::fromLatin1(zsk)}, nullptr, error);
}

bool SignedDnsChain::startServer(QProcess &server, const QString &program, const QString &config,
                                 const QByteArray &ready, QString *error)
{
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(program, {QStringLiteral("-d"), QStringLiteral("-c"), m_dir.filePath(config)});
    QByteArray log;
    const QDeadlineTimer patience(30000);
    while (!log.contains(ready)) {
        if (patience.hasExpired() || !server.waitForReadyRead(int(patience.remainingTime()))) {
            *error = program + QStringLiteral(" did not start: ") + QString::fromLocal8Bit(log);
            return false;
        }
        log += server.readAll();
    }
    return true;
}

bool SignedDnsChain::start(QString *error)
{
    const QString dir = m_dir.path();
    bool written = m_dir.isValid() && write(m_dir.filePath("root.zone"), kRootZone);
    for (const QByteArray suffix : {"com", "net"}) {
        written =
            written &&
            write(m_dir.filePath(QString::fromLatin1(suffix + ".zone")), suffixZone(suffix)) &&
            write(m_dir.filePath(QString::fromLatin1("taken." + suffix + ".zone")),
                  takenZone(suffix));
    }
    if (!written) {
        *error = QStringLiteral("cannot write the zones in ") + dir;
        return false;
    }
    // The suffixes first: their DS records go into the root before it is signed.
    if (!signZone(QStringLiteral("com"), error) || !signZone(QStringLiteral("net"), error) ||
        !signZone(QStringLiteral("."), error))
        return false;

    // One changed character in net's SOA signature, which every proof of non-existence holds.
    QFile net(m_dir.filePath("net.zone.signed"));
    if (!net.open(QIODevice::ReadWrite))
        return false;
    QByteArray signedNet = net.readAll();
    static const QRegularExpression soaSignature(QStringLiteral(R"(\tRRSIG\tSOA [^\n]* (\S))"));
    const QRegularExpressionMatch match = soaSignature.match(QString::fromLatin1(signedNet));
    if (!match.hasMatch())
        return false;
    const qsizetype at = match.capturedStart(1);
    signedNet[at] = signedNet[at] == 'A' ? 'B' : 'A';
    net.seek(0);
    net.write(signedNet);
    net.close();

    QByteArray zones;
    for (const char *zone : {".", "com.", "net.", "taken.com.", "taken.net."}) {
        const QByteArray name(zone);
        const QByteArray file = name == "."                ? "root.zone.signed"
                                : name.startsWith("taken") ? name + "zone"
                                                           : name + "zone.signed";
        zones += "zone:\n  name: \"" + name + "\"\n  zonefile: \"" + file + "\"\n";
    }
    const QByteArray d = dir.toLocal8Bit();
    const bool configured =
        write(m_dir.filePath("nsd.conf"),
              "server:\n  ip-address: 127.0.0.2\n  database: \"\"\n  username: \"\"\n"
              "  zonesdir: \"" +
                  d + "\"\n  pidfile: \"" + d + "/nsd.pid\"\n  xfrdfile: \"" + d +
                  "/xfrd.state\"\n  zonelistfile: \"" + d +
                  "/zone.list\"\n"
                  "remote-control:\n  control-enable: no\n" +
                  zones) &&
        write(m_dir.filePath("hints"),
              ". 3600 IN NS a.root-servers.test.\na.root-servers.test. 3600 IN A 127.0.0.2\n") &&
        write(m_dir.filePath("unbound.conf"),
              "server:\n  interface: 127.0.0.1\n  do-not-query-localhost: no\n"
              "  root-hints: \"" +
                  d + "/hints\"\n  trust-anchor-file: \"" + d +
                  "/anchor.ds\"\n"
                  "  chroot: \"\"\n  username: \"\"\n  directory: \"" +
                  d + "\"\n  pidfile: \"" + d +
                  "/unbound.pid\"\n  use-syslog: no\n  qname-minimisation: no\n"
                  "remote-control:\n  control-enable: no\n");
    if (!configured) {
        *error = QStringLiteral("cannot write the servers' settings in ") + dir;
        return false;
    }
    return startServer(m_nsd, QStringLiteral("nsd"), QStringLiteral("nsd.conf"), "nsd started",
                       error) &&
           startServer(m_unbound, QStringLiteral("unbound"), QStringLiteral("unbound.conf"),
                       "start of service", error);
}
