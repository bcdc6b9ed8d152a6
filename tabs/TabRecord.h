#pragma once

#include "tabs/AskedName.h"

#include <QDate>
#include <QString>
#include <QStringList>

// What DNS says of a tab's domain.
struct DnsEvidence {
    enum State {
        None,           // not asked yet, or not answered yet
        NotAsked,       // nothing is asked for this name (AskedName::whyNot)
        Registered,     // it has name servers
        NotInDnsProven, // NXDOMAIN with the signed zone's proof
        NotInDns,       // NXDOMAIN, from a resolver that confirmed the suffix's zone
        Unknown,        // anything else: `reason` says why
    };
    State state = None;
    QString reason = {};
    // NotInDns for a signed zone whose signatures the resolver did not pass on.
    bool unsignedAnswer = false;
};

// What the registry's own record says of a tab's domain.
struct RegistryEvidence {
    enum State {
        None,     // not asked yet, or not answered yet
        NotAsked, // nothing is asked for this name (AskedName::whyNot)
        Record,   // the registry holds the name
        NoRecord, // the registry says it holds no such name
        Unknown,  // anything else: `reason` says why
    };
    State state = None;
    QString reason = {};
    QDate registered = {}, expires = {}, lastChanged = {};
    QString registrar = {};
    QStringList status = {};
};

// Everything known of the domain a result tab holds, as its sources found it: what its mark,
// its words and the copied table are made from.
struct TabRecord {
    QString domain = {}; // as the tab shows it: the label as looked up and the suffix
    QString suffix = {}; // as typed
    AskedName name = {};
    DnsEvidence dns = {};
    RegistryEvidence registry = {};
};
