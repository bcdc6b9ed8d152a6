#include "window/LookupProgram.h"

#include "platform/webengine/WebEngineBrowser.h"

// Pages stay on the lookup service and the start page; the user's links elsewhere open in
// the desktop's web browser.
LookupProgram::LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                             platform::Dialogs *dialogs, const QHostAddress &nameServer)
    :
#if LOOKUP_DNS_HINTS
      m_dns(nameServer),
#endif
      m_window(lookupBaseUrl, startPageUrl,
               platform::WebEngineBrowser::factory(&m_profile,
                                                   {QUrl(lookupBaseUrl), QUrl(startPageUrl)}),
               dialogs, dnsLookup())
{
    Q_UNUSED(nameServer)
}

platform::NameServerLookup *LookupProgram::dnsLookup()
{
#if LOOKUP_DNS_HINTS
    return &m_dns;
#else
    return nullptr;
#endif
}
