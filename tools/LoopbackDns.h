#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

#include <functional>

// A DNS server on 127.0.0.1 over UDP that answers each name as scripted, so that the tests,
// the benchmark and the screenshot tool ask through a real resolver without any network. It
// acts as the resolver a program forwards to: recursion offered, records only in the answer,
// no signatures (as a resolver that strips them would give).
class LoopbackDns : public QObject {
    Q_OBJECT

public:
    enum class Reply {
        Delegated,     // NOERROR with two NS records for an NS question, none for another type
        NoSuchName,    // NXDOMAIN
        ServerFailure, // SERVFAIL
        Refused,       // REFUSED
        NoRecords,     // NOERROR, empty
        Silent,        // never answers
    };
    // The reply for a name (lower case, no final dot; "" for the root).
    using Handler = std::function<Reply(const QString &name)>;

    // On `port`, or a free one for 0.
    explicit LoopbackDns(Handler handler, quint16 port = 0, QObject *parent = nullptr);
    // Names in `script` (matched without regard to case) get their reply, others `otherwise`.
    static Handler scripted(const QHash<QString, Reply> &script, Reply otherwise);
    // A sound resolver for names beyond `script`: every zone and name has name servers but the
    // made-up names the DNS hints check resolvers with, which do not exist.
    static Handler nearby(const QHash<QString, Reply> &script = {});

    bool isListening() const { return m_socket.state() == QAbstractSocket::BoundState; }
    QString errorString() const { return m_socket.errorString(); }
    static QHostAddress address() { return QHostAddress(QHostAddress::LocalHost); }
    // As a resolver library names a forwarder: "127.0.0.1@<port>".
    QString forwarder() const;
    // Questions received for `name` (lower case), answered or not.
    int questions(const QString &name) const { return m_questions.value(name); }

private:
    void handleReadyRead();
    QByteArray answer(const QByteArray &query);

    Handler m_handler;
    QUdpSocket m_socket;
    QHash<QString, int> m_questions;
};
