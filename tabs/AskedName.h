#pragma once

#include <QString>

// The name asked about for a result tab's domain: in ASCII, exactly the typed label and the
// suffix's labels, so that an answer is about the domain the tab shows and no other (not a
// subdomain, not a name no registry accepts). Anything else is not asked, and says why.
struct AskedName {
    QString ascii;  // "xn--bcher-kva.de"; empty when nothing is asked
    QString zone;   // the suffix in ASCII ("co.uk"), the zone that holds the name
    QString whyNot; // when nothing is asked, the reason in words
    // The ASCII form reads back as another name than the one shown (compatibility forms:
    // "Ⅻ" is asked as "xii"), which the words then name.
    bool differs = false;

    // `label` as looked up (trimmed), `suffix` with its leading dot.
    static AskedName of(const QString &label, const QString &suffix);
};
