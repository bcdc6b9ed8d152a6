#include "platform/rdap/RdapReply.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <algorithm>

namespace platform {

namespace {

constexpr qsizetype kRegistrarLength = 100;
constexpr qsizetype kStatusLength = 40;
constexpr qsizetype kStatusCount = 10;

// Text a registry controls, fit to be shown: control characters and line breaks as spaces,
// format characters (a bidi override turns the words around it) dropped, white space
// collapsed, at most `length` characters.
QString plainText(const QString &text, qsizetype length)
{
    std::u32string kept;
    for (const char32_t c : text.toStdU32String()) {
        switch (QChar::category(c)) {
        case QChar::Other_Format:
            break;
        case QChar::Other_Control:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            kept += U' ';
            break;
        default:
            kept += c;
        }
    }
    std::u32string plain = QString::fromStdU32String(kept).simplified().toStdU32String();
    if (qsizetype(plain.size()) <= length)
        return QString::fromStdU32String(plain);
    plain.resize(length - 1);
    return QString::fromStdU32String(plain).trimmed() + u'…';
}

// An RFC 3339 date and time as its date in UTC; one without an offset is taken as UTC.
QDate utcDate(const QString &text)
{
    QDateTime time = QDateTime::fromString(text, Qt::ISODateWithMs);
    if (time.timeSpec() == Qt::LocalTime)
        time.setTimeSpec(Qt::UTC);
    return time.toUTC().date();
}

// The formatted name ("fn") in an entity's jCard: ["vcard", [["fn", {}, "text", "Name"], ...]].
QString formattedName(const QJsonObject &entity)
{
    const QJsonArray properties = entity.value("vcardArray").toArray().at(1).toArray();
    for (const QJsonValue &value : properties) {
        const QJsonArray property = value.toArray();
        if (property.at(0).toString() == u"fn")
            return property.at(3).toString();
    }
    return {};
}

} // namespace

RegistryAnswer registryRecordFrom(const QByteArray &json, const QString &name)
{
    RegistryAnswer answer;
    QJsonParseError error;
    const QJsonObject domain = QJsonDocument::fromJson(json, &error).object();
    if (error.error != QJsonParseError::NoError ||
        domain.value("objectClassName").toString() != u"domain") {
        answer.reason = QStringLiteral("an answer that is not RDAP");
        return answer;
    }
    QString ldhName = domain.value("ldhName").toString();
    if (ldhName.endsWith(u'.'))
        ldhName.chop(1);
    if (ldhName.compare(name, Qt::CaseInsensitive) != 0) {
        answer.reason = QStringLiteral("an answer about another name");
        return answer;
    }
    answer.outcome = RegistryAnswer::Outcome::Record;

    const std::pair<QString, QDate *> dates[] = {{"registration", &answer.registered},
                                                 {"expiration", &answer.expires},
                                                 {"last changed", &answer.lastChanged}};
    for (const QJsonValue &value : domain.value("events").toArray()) {
        const QJsonObject event = value.toObject();
        const auto action = std::ranges::find(dates, event.value("eventAction").toString(),
                                              &std::pair<QString, QDate *>::first);
        if (action != std::end(dates) && action->second->isNull())
            *action->second = utcDate(event.value("eventDate").toString());
    }
    for (const QJsonValue &value : domain.value("entities").toArray()) {
        const QJsonObject entity = value.toObject();
        if (entity.value("roles").toArray().contains(QStringLiteral("registrar"))) {
            answer.registrar = plainText(formattedName(entity), kRegistrarLength);
            break;
        }
    }
    for (const QJsonValue &value : domain.value("status").toArray()) {
        const QString status = plainText(value.toString(), kStatusLength);
        if (!status.isEmpty() && answer.status.size() < kStatusCount)
            answer.status << status;
    }
    return answer;
}

std::optional<qint64> retryAfterSeconds(const QByteArray &value, const QDateTime &now)
{
    bool isNumber = false;
    const qint64 seconds = value.trimmed().toLongLong(&isNumber);
    if (isNumber)
        return seconds >= 0 ? std::optional(seconds) : std::nullopt;
    // HTTP's one date format that senders use (RFC 9110); Qt's RFC 2822 parser refuses "GMT".
    QDateTime date = QLocale::c().toDateTime(QString::fromLatin1(value.trimmed()),
                                             QStringLiteral("ddd, dd MMM yyyy hh:mm:ss 'GMT'"));
    if (!date.isValid())
        return std::nullopt;
    date.setTimeSpec(Qt::UTC);
    return std::max<qint64>(0, now.secsTo(date));
}

} // namespace platform
