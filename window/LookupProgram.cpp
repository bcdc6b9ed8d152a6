#include "window/LookupProgram.h"

#include "platform/webengine/WebEngineBrowser.h"

// Pages stay on the lookup service and the start page; the user's links elsewhere open in
// the desktop's web browser.
LookupProgram::LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                             platform::Dialogs *dialogs, const platform::ResolverSetup &dns,
                             const QUrl &rdapBootstrap)
    :
#if LOOKUP_DNS_HINTS
      m_dns(dns),
#endif
#if LOOKUP_RDAP
      m_rdap(rdapBootstrap.isEmpty() ? nullptr
                                     : std::make_unique<platform::RdapClient>(rdapBootstrap)),
#endif
      m_window(lookupBaseUrl, startPageUrl,
               platform::WebEngineBrowser::factory(&m_profile,
                                                   {QUrl(lookupBaseUrl), QUrl(startPageUrl)}),
               dialogs, dnsLookup(), registryLookup())
{
    Q_UNUSED(dns)
    Q_UNUSED(rdapBootstrap)
}

LookupProgram::~LookupProgram() = default;

platform::NameServerLookup *LookupProgram::dnsLookup()
{
#if LOOKUP_DNS_HINTS
    return &m_dns;
#else
    return nullptr;
#endif
}

platform::RegistryLookup *LookupProgram::registryLookup()
{
#if LOOKUP_RDAP
    return m_rdap.get();
#else
    return nullptr;
#endif
}
