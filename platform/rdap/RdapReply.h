#pragma once

#include "platform/rdap/RegistryLookup.h"

#include <QByteArray>
#include <QDateTime>

#include <optional>

namespace platform {

// What an RDAP domain object (RFC 9083) in `json` says of `name`: a Record with its dates,
// registrar and status values, or Unknown when it is no domain object or is for another name.
// Text from the reply comes back plain and cut short.
RegistryAnswer registryRecordFrom(const QByteArray &json, const QString &name);

// The seconds a Retry-After header's `value` asks to wait, given as seconds or as an HTTP date
// (then counted from `now`); nullopt when it is neither.
std::optional<qint64> retryAfterSeconds(const QByteArray &value, const QDateTime &now);

} // namespace platform
