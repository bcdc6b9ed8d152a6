#include "tabs/LookupAddress.h"

#include <QUrl>

QString lookupAddress(const QString &lookupBaseUrl, const QString &label, const QString &suffix)
{
    // Printable ASCII that carries no structure inside a path segment; unreserved
    // characters are never encoded anyway.
    static const QByteArray keep = QByteArrayLiteral("!\"$&'()*+,:;<=>@[]^`{|}");
    const QByteArray domain = QUrl::toPercentEncoding(label + suffix, keep);
    return lookupBaseUrl + QString::fromLatin1(domain);
}
