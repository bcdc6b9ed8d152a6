#pragma once

#include <QString>

namespace platform {

// Where DNS questions go, and what their answers are validated with.
struct ResolverSetup {
    // "127.0.0.1" or "127.0.0.1@5353"; empty: the resolvers of /etc/resolv.conf, which every
    // program's host lookups use.
    QString forwarder = {};
    // DS or DNSKEY records to validate with; empty: the root's key as Debian keeps it current.
    QString trustAnchorFile = {};
};

} // namespace platform
