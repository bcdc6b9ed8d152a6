#pragma once

#include "platform/dns/DnsAnswer.h"
#include "platform/forms/Image.h"

#include <QString>

// What DNS says of a result tab's domain, in the tab's words and as the mark on its picture.
// The words never call a name free: a name can be registered without name servers, reserved
// or held back by the registry, whose page in the tab decides.
class DnsHint {
public:
    enum State { None, Registered, NotInDns, Unknown };

    // The name DNS is asked about for the domain `label` + `suffix`: in ASCII, non-ASCII labels
    // in their ACE form; empty when it is no valid host name, which is not asked about at all.
    static QString queryName(const QString &label, const QString &suffix);
    static State stateFor(platform::DnsAnswer answer);
    // The tab's tooltip and description; empty for None, where the tab keeps its own.
    static QString words(const QString &domain, State state);
    // Inside the tab picture, right of the longest default suffix's caption.
    static platform::Image::Mark mark(State state);
};
