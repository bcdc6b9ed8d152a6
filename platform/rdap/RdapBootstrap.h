#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QUrl>

#include <optional>

namespace platform {

// The RDAP services for domain names that a bootstrap file lists (RFC 9224), and the one to
// ask about a name.
class RdapBootstrap {
public:
    // Nullopt unless `json` has the shape of a bootstrap file. Base URLs other than https are
    // used only with `plainHttpAllowed`: for a file that came from a loopback address (tests).
    static std::optional<RdapBootstrap> parse(const QByteArray &json, bool plainHttpAllowed);

    // The base URL, ending in "/", of the service for `name` (ASCII): that of the entry with
    // the longest run of labels matching from the right, https preferred. Nullopt when no
    // entry matches; an empty URL when the entry lists no URL that may be used.
    std::optional<QUrl> serverFor(const QString &name) const;

private:
    QHash<QString, QUrl> m_servers; // by entry, in lower case
};

} // namespace platform
