#pragma once

#include "platform/forms/Image.h"
#include "tabs/TabRecord.h"

#include <QString>

// The one verdict on a tab's domain from everything its record holds: the words of its
// tooltip and description, its mark, and its line in the copied table. The registry's record,
// when there is one, decides whether the name is registered; DNS adds what it knows, and
// where the two disagree both are said. It never claims more than the evidence: no name is
// called free, only what the registry or DNS said of it; the page in the tab decides.
class TabVerdict {
public:
    enum Kind { None, Registered, NoRecord, NotInDnsProven, NotInDns, Unknown };

    static Kind kind(const TabRecord &record);
    // The verdict on the first line, then what the record adds (dates and registrar, status,
    // what is unknown of the registry); the domain alone while nothing is known.
    static QString words(const TabRecord &record);
    // The verdict in a few words, for a table.
    static QString summary(Kind kind);
    // Inside the tab picture, right of the longest default suffix's caption; told apart by
    // shape as well as colour.
    static platform::Image::Mark mark(Kind kind);
};
