#include "LoopbackDns.h"

#include "tabs/DnsHints.h"

#include <QNetworkDatagram>
#include <QtEndian>

namespace {

constexpr int HeaderSize = 12;
enum : quint16 { TypeNS = 2, ClassIN = 1 };
enum : quint16 { NoError = 0, ServFail = 2, NxDomain = 3, Refused = 5 };

void append16(QByteArray &out, quint16 value)
{
    out.append(char(value >> 8)).append(char(value & 0xFF));
}

QByteArray encodedName(const QString &name)
{
    QByteArray out;
    for (const QString &label : name.split(u'.', Qt::SkipEmptyParts)) {
        const QByteArray bytes = label.toLatin1();
        out.append(char(bytes.size())).append(bytes);
    }
    return out.append('\0');
}

} // namespace

LoopbackDns::LoopbackDns(Handler handler, quint16 port, QObject *parent)
    : QObject(parent), m_handler(std::move(handler))
{
    connect(&m_socket, &QUdpSocket::readyRead, this, &LoopbackDns::handleReadyRead);
    m_socket.bind(address(), port);
}

LoopbackDns::Handler LoopbackDns::scripted(const QHash<QString, Reply> &script, Reply otherwise)
{
    QHash<QString, Reply> lower;
    for (auto it = script.cbegin(); it != script.cend(); ++it)
        lower.insert(it.key().toLower(), it.value());
    return [lower, otherwise](const QString &name) { return lower.value(name, otherwise); };
}

LoopbackDns::Handler LoopbackDns::nearby(const QHash<QString, Reply> &script)
{
    return [script](const QString &name) {
        if (const auto it = script.constFind(name); it != script.cend())
            return *it;
        return name.section(u'.', 0, 0).size() == DnsHints::MadeUpLength ? Reply::NoSuchName
                                                                         : Reply::Delegated;
    };
}

QString LoopbackDns::forwarder() const
{
    return QStringLiteral("%1@%2").arg(address().toString()).arg(m_socket.localPort());
}

void LoopbackDns::handleReadyRead()
{
    while (m_socket.hasPendingDatagrams()) {
        const QNetworkDatagram query = m_socket.receiveDatagram();
        const QByteArray reply = answer(query.data());
        if (!reply.isEmpty())
            m_socket.writeDatagram(query.makeReply(reply));
    }
}

QByteArray LoopbackDns::answer(const QByteArray &query)
{
    // The question's name, label by label; anything malformed goes unanswered.
    if (query.size() < HeaderSize)
        return {};
    QStringList labels;
    qsizetype at = HeaderSize;
    while (at < query.size() && query[at] != 0) {
        const int length = quint8(query[at]);
        if (length > 63 || at + 1 + length >= query.size())
            return {};
        labels << QString::fromLatin1(query.mid(at + 1, length));
        at += 1 + length;
    }
    const qsizetype questionEnd = at + 1 + 4; // the root label, type and class
    if (questionEnd > query.size())
        return {};
    const QString name = labels.join(u'.').toLower();
    const quint16 type = qFromBigEndian<quint16>(query.constData() + at + 1);
    ++m_questions[name];

    const Reply reply = m_handler(name);
    if (reply == Reply::Silent)
        return {};
    const quint16 rcode = reply == Reply::NoSuchName      ? NxDomain
                          : reply == Reply::ServerFailure ? ServFail
                          : reply == Reply::Refused       ? Refused
                                                          : NoError;
    const quint16 queryFlags = qFromBigEndian<quint16>(query.constData() + 2);
    const QStringList servers = reply == Reply::Delegated && type == TypeNS
                                    ? QStringList{"ns1.loopback.test", "ns2.loopback.test"}
                                    : QStringList{};
    QByteArray out = query.left(2); // the same id
    // A response, with the query's opcode and recursion wish; recursion offered.
    append16(out, 0x8000 | (queryFlags & 0x7900) | 0x0080 | rcode);
    append16(out, 1);
    append16(out, quint16(servers.size()));
    append16(out, 0);
    append16(out, 0);
    out.append(query.mid(HeaderSize, questionEnd - HeaderSize));
    for (const QString &server : servers) {
        append16(out, 0xC000 | HeaderSize); // the question's name
        append16(out, TypeNS);
        append16(out, ClassIN);
        append16(out, 0);
        append16(out, 300); // time to live
        const QByteArray data = encodedName(server);
        append16(out, quint16(data.size()));
        out.append(data);
    }
    return out;
}
