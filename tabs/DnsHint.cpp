#include "tabs/DnsHint.h"

#include <QRegularExpression>
#include <QUrl>

using platform::DnsAnswer;
using platform::Image;

QString DnsHint::queryName(const QString &label, const QString &suffix)
{
    const QString ace = QString::fromLatin1(QUrl::toAce(label + suffix));
    // Letters, digits and inner hyphens, 63 to a label, 253 in all; no empty label.
    static const QRegularExpression hostName(
        QStringLiteral("^(?=.{1,253}$)([a-z0-9]([a-z0-9-]{0,61}[a-z0-9])?)"
                       "(\\.[a-z0-9]([a-z0-9-]{0,61}[a-z0-9])?)*$"),
        QRegularExpression::CaseInsensitiveOption);
    return hostName.match(ace).hasMatch() ? ace : QString();
}

DnsHint::State DnsHint::stateFor(DnsAnswer answer)
{
    switch (answer) {
    case DnsAnswer::Delegated:
        return Registered;
    case DnsAnswer::NoSuchName:
        return NotInDns;
    case DnsAnswer::NoAnswer:
        break;
    }
    return Unknown;
}

QString DnsHint::words(const QString &domain, State state)
{
    switch (state) {
    case Registered:
        return domain + QStringLiteral(": registered (it has name servers)");
    case NotInDns:
        return domain +
               QStringLiteral(
                   ": not in DNS; it may be free, the registry's page below says for sure");
    case Unknown:
        return domain + QStringLiteral(": DNS gave no answer");
    case None:
        break;
    }
    return {};
}

Image::Mark DnsHint::mark(State state)
{
    // 11 pixels square near the tab's right edge, level with its caption; dark enough on
    // both tab pictures, which keep their light blue under a dark palette too.
    const QRectF place(1590, 135, 165, 165);
    switch (state) {
    case Registered:
        return {Image::Mark::Disc, QColor(0xB0, 0x00, 0x20), place};
    case NotInDns:
        return {Image::Mark::Ring, QColor(0x07, 0x59, 0x2A), place};
    case Unknown:
        return {Image::Mark::Query, QColor(0x30, 0x30, 0x30), place};
    case None:
        break;
    }
    return {};
}
