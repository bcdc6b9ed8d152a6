#pragma once

#include "platform/forms/Image.h"
#include "tabs/TabRecord.h"

#include <QString>

// The one verdict on a tab's domain from everything its record holds: the words of its
// tooltip and description, and the mark on its pictures. It never claims more than the
// evidence: no name is called free, only what DNS said of it; the registry's page in the tab
// decides.
class TabVerdict {
public:
    enum Kind { None, Registered, NotInDnsProven, NotInDns, Unknown };

    static Kind kind(const TabRecord &record);
    // The domain alone while nothing is known.
    static QString words(const TabRecord &record);
    // Inside the tab picture, right of the longest default suffix's caption; told apart by
    // shape as well as colour.
    static platform::Image::Mark mark(Kind kind);
};
