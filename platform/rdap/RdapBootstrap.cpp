#include "platform/rdap/RdapBootstrap.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace platform {

namespace {

QUrl preferredUrl(const QJsonArray &urls, bool plainHttpAllowed)
{
    QUrl plain;
    for (const QJsonValue &value : urls) {
        QUrl url(value.toString(), QUrl::StrictMode);
        if (!url.isValid() || url.host().isEmpty())
            continue;
        // Nothing in a bootstrap file may make the program send credentials.
        url.setUserInfo({});
        if (!url.path().endsWith(u'/'))
            url.setPath(url.path() + u'/');
        if (url.scheme() == u"https")
            return url;
        if (url.scheme() == u"http" && plainHttpAllowed && plain.isEmpty())
            plain = url;
    }
    return plain;
}

} // namespace

std::optional<RdapBootstrap> RdapBootstrap::parse(const QByteArray &json, bool plainHttpAllowed)
{
    QJsonParseError error;
    const QJsonValue services = QJsonDocument::fromJson(json, &error).object().value("services");
    if (error.error != QJsonParseError::NoError || !services.isArray())
        return std::nullopt;
    RdapBootstrap bootstrap;
    for (const QJsonValue &value : services.toArray()) {
        const QJsonArray service = value.toArray();
        const QUrl server = preferredUrl(service.at(1).toArray(), plainHttpAllowed);
        for (const QJsonValue &entry : service.at(0).toArray()) {
            const QString suffix = entry.toString().toLower();
            if (!suffix.isEmpty() && !bootstrap.m_servers.contains(suffix))
                bootstrap.m_servers.insert(suffix, server);
        }
    }
    return bootstrap;
}

std::optional<QUrl> RdapBootstrap::serverFor(const QString &name) const
{
    // Whole labels only: "eco.uk" is no match for the entry "co.uk".
    const QStringList labels = name.toLower().split(u'.', Qt::SkipEmptyParts);
    for (qsizetype first = 0; first < labels.size(); ++first) {
        const auto server = m_servers.constFind(labels.mid(first).join(u'.'));
        if (server != m_servers.cend())
            return *server;
    }
    return std::nullopt;
}

} // namespace platform
