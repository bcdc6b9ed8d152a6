#include "tabs/AskedName.h"

#include <QRegularExpression>
#include <QStringList>
#include <QUrl>

#include <algorithm>

namespace {

// Letters, digits and inner hyphens, 63 at most.
bool isHostLabel(const QString &label)
{
    static const QRegularExpression ldh(QStringLiteral("^[a-z0-9]([a-z0-9-]{0,61}[a-z0-9])?$"));
    return ldh.match(label).hasMatch();
}

// A label in ACE form is one a registry can hold only if it decodes, and back to itself.
bool decodesBack(const QString &label)
{
    if (!label.startsWith(u"xn--"))
        return true;
    const QString decoded = QUrl::fromAce(label.toLatin1(), QUrl::IgnoreIDNWhitelist);
    return !decoded.startsWith(u"xn--", Qt::CaseInsensitive) &&
           QUrl::toAce(decoded, QUrl::IgnoreIDNWhitelist) == label.toLatin1();
}

bool hasFormatCharacter(const QString &text)
{
    // By code point: some lie beyond the basic plane, as surrogate pairs.
    return std::ranges::any_of(
        text.toUcs4(), [](char32_t c) { return QChar::category(c) == QChar::Other_Format; });
}

QString quoted(const QString &text)
{
    return u'"' + text + u'"';
}

} // namespace

AskedName AskedName::of(const QString &label, const QString &suffix)
{
    AskedName name;
    const auto notAsked = [&name](QString why) {
        name.whyNot = std::move(why);
        return name;
    };
    if (label.isEmpty())
        return notAsked(QStringLiteral("there is no name before the suffix"));
    // Invisible characters make a name that reads as another; mapping would drop some.
    if (hasFormatCharacter(label))
        return notAsked(quoted(label) + QStringLiteral(" holds an invisible character"));
    const QString ace = QString::fromLatin1(QUrl::toAce(label, QUrl::IgnoreIDNWhitelist));
    // Full-width and ideographic dots become dots here too.
    if (ace.contains(u'.') || (ace.isEmpty() && label.contains(u'.')))
        return notAsked(quoted(label) + QStringLiteral(" is not a single name"));
    // Qt gives no ACE form for a label that long.
    if (ace.size() > 63 || (ace.isEmpty() && label.size() > 63))
        return notAsked(quoted(label) + QStringLiteral(" is longer than 63 characters"));
    if (!isHostLabel(ace) || !decodesBack(ace))
        return notAsked(quoted(label) + QStringLiteral(" is not a valid name"));

    // Without its dot, a suffix only lengthens the label: no zone would hold that name.
    if (!suffix.startsWith(u'.'))
        return notAsked(quoted(suffix) + QStringLiteral(" does not start with a dot"));
    const QString zone = QString::fromLatin1(QUrl::toAce(suffix.mid(1), QUrl::IgnoreIDNWhitelist));
    const QStringList zoneLabels = zone.split(u'.');
    if (zone.isEmpty() || !std::ranges::all_of(zoneLabels, isHostLabel) ||
        !std::ranges::all_of(zoneLabels, decodesBack))
        return notAsked(quoted(suffix) + QStringLiteral(" is not a valid suffix"));
    if (ace.size() + 1 + zone.size() > 253)
        return notAsked(QStringLiteral("the name is longer than DNS allows"));

    name.ascii = ace + u'.' + zone;
    name.zone = zone;
    const QString readBack = QUrl::fromAce(name.ascii.toLatin1(), QUrl::IgnoreIDNWhitelist);
    name.differs = readBack.compare(label + suffix, Qt::CaseInsensitive) != 0;
    return name;
}
