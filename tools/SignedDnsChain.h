#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>

#include <memory>

// DNSSEC as the internet has it, on loopback: a test root and the suffixes "com" and "net",
// signed with keys made at start, served by a real authoritative server (nsd, on 127.0.0.2)
// behind a real validating resolver (unbound, on 127.0.0.1), both on port 53, so in a network
// namespace of the caller's own. In each suffix "taken" is delegated to an unsigned zone, as
// most names are; every other name does not exist, with the zone's signed proof. One
// signature in "net" is altered, so that its proofs fail to verify.
class SignedDnsChain {
public:
    SignedDnsChain();
    ~SignedDnsChain();
    SignedDnsChain(const SignedDnsChain &) = delete;
    SignedDnsChain &operator=(const SignedDnsChain &) = delete;

    // Makes the keys and zones and starts both servers; false, and why, when it cannot.
    bool start(QString *error);
    // The validating resolver, for a program to forward to.
    static QString resolver() { return QStringLiteral("127.0.0.1"); }
    // The test root's key, as a trust anchor.
    QString trustAnchorFile() const;

private:
    bool run(const QString &program, const QStringList &arguments, QByteArray *output,
             QString *error);
    bool signZone(const QString &zone, QString *error);
    bool startServer(QProcess &server, const QString &program, const QString &config,
                     const QByteArray &ready, QString *error);

    QTemporaryDir m_dir;
    QProcess m_nsd, m_unbound;
};
