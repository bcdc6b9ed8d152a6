#pragma once

#include <QString>

// The address a result tab's browser is sent to: the service's root followed by the label
// and the suffix as one path segment. Characters that would change the address's
// structure ('/', '?', '#', '%', '\', spaces, control characters) and non-ASCII text (as
// UTF-8) are percent-encoded; everything else stays exactly as typed. One exception cannot
// be mended by encoding: a domain that is only "." or ".." is still read as a dot segment
// by URL parsers, so it addresses the service's root or the level above it.
QString lookupAddress(const QString &lookupBaseUrl, const QString &label, const QString &suffix);
