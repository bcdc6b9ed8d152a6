#pragma once

#include <QHash>
#include <QHostAddress>
#include <QObject>
#include <QUdpSocket>

// A DNS server on 127.0.0.1 over UDP that answers each name as scripted, so that the tests,
// the benchmark and the screenshot tool ask through a real resolver without any network.
// Qt 6.4's QDnsLookup asks port 53 only, which takes root (or a network namespace of its own).
class LoopbackDns : public QObject {
    Q_OBJECT

public:
    enum class Reply {
        Delegated,     // NOERROR with two NS records
        NoSuchName,    // NXDOMAIN
        ServerFailure, // SERVFAIL
        Refused,       // REFUSED
        NoRecords,     // NOERROR, empty
        Silent,        // never answers
    };

    // Names not in `script` get `otherwise`; names are matched without regard to case.
    explicit LoopbackDns(QHash<QString, Reply> script, Reply otherwise = Reply::NoSuchName,
                         quint16 port = 53, QObject *parent = nullptr);

    bool isListening() const { return m_socket.state() == QAbstractSocket::BoundState; }
    QString errorString() const { return m_socket.errorString(); }
    static QHostAddress address() { return QHostAddress(QHostAddress::LocalHost); }
    // Questions received for `name` (lower case), answered or not.
    int questions(const QString &name) const { return m_questions.value(name); }

private:
    void handleReadyRead();
    QByteArray answer(const QByteArray &query);

    QHash<QString, Reply> m_script;
    Reply m_otherwise;
    QUdpSocket m_socket;
    QHash<QString, int> m_questions;
};
