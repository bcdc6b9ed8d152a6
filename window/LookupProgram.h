#pragma once

#include "platform/dns/ResolverSetup.h"
#include "platform/webengine/BrowserProfile.h"
#include "window/FrmSearch.h"

#if LOOKUP_DNS_HINTS
#include "platform/dns/DnsResolver.h"
#endif
#if LOOKUP_RDAP
#include "platform/rdap/RdapClient.h"
#endif

#include <memory>

#include <QList>
#include <QUrl>

// The program as it runs, once LookupStartup has made the application object: the one browser
// profile, and the window on it. main() and every test or benchmark that drives the real
// engine make it, so that they run the program's own set-up.
class LookupProgram {
public:
    // `dialogs` may be null for Qt's own dialogs. The DNS hints ask the system's resolver and
    // validate with the root's key, unless `dns` says otherwise (tests and tools point it at
    // loopback servers and their own keys). The registries are asked through the services the
    // file at `rdapBootstrap` lists; none without it.
    LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                  platform::Dialogs *dialogs = nullptr, const platform::ResolverSetup &dns = {},
                  const QUrl &rdapBootstrap = {});
    ~LookupProgram();

    FrmSearch &window() { return m_window; }
    platform::BrowserProfile &profile() { return m_profile; }

private:
    platform::NameServerLookup *dnsLookup();
    platform::RegistryLookup *registryLookup();

    // Declared before the window, so that they outlive every page and every tab.
    platform::BrowserProfile m_profile;
#if LOOKUP_DNS_HINTS
    platform::DnsResolver m_dns;
#endif
#if LOOKUP_RDAP
    std::unique_ptr<platform::RdapClient> m_rdap;
#endif
    FrmSearch m_window;
};
