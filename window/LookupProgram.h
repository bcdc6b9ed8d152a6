#pragma once

#include "platform/webengine/BrowserProfile.h"
#include "window/FrmSearch.h"

#if LOOKUP_DNS_HINTS
#include "platform/dns/DnsResolver.h"
#endif

#include <QHostAddress>
#include <QList>
#include <QUrl>

// The program as it runs, once LookupStartup has made the application object: the one browser
// profile, and the window on it. main() and every test or benchmark that drives the real
// engine make it, so that they run the program's own set-up.
class LookupProgram {
public:
    // `dialogs` may be null for Qt's own dialogs. The DNS hints ask the system's resolver, or
    // `nameServer` when given (tests and tools point it at a loopback server).
    LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                  platform::Dialogs *dialogs = nullptr, const QHostAddress &nameServer = {});

    FrmSearch &window() { return m_window; }
    platform::BrowserProfile &profile() { return m_profile; }

private:
    platform::NameServerLookup *dnsLookup();

    // Declared before the window, so that they outlive every page and every tab.
    platform::BrowserProfile m_profile;
#if LOOKUP_DNS_HINTS
    platform::DnsResolver m_dns;
#endif
    FrmSearch m_window;
};
