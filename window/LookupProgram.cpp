#include "window/LookupProgram.h"

#include "platform/webengine/WebEngineBrowser.h"

#include <QApplication>

void LookupProgram::prepareProcess()
{
    // The program writes no files; Qt's and Mesa's shader caches would, unless told not to
    // before the application object exists.
    platform::BrowserProfile::prepareEnvironment();
}

void LookupProgram::nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("quillet-lookup"));
    // Ties the window to its desktop entry, whose name and icon the desktop then shows.
    QApplication::setDesktopFileName(QStringLiteral("org.quillet.Lookup"));
}

// Pages stay on the lookup service and the start page; the user's links elsewhere open in
// the desktop's web browser.
LookupProgram::LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                             platform::Dialogs *dialogs, const platform::ResolverSetup &dns)
    :
#if LOOKUP_DNS_HINTS
      m_dns(dns),
#endif
      m_window(lookupBaseUrl, startPageUrl,
               platform::WebEngineBrowser::factory(&m_profile,
                                                   {QUrl(lookupBaseUrl), QUrl(startPageUrl)}),
               dialogs, dnsLookup())
{
    Q_UNUSED(dns)
}

platform::NameServerLookup *LookupProgram::dnsLookup()
{
#if LOOKUP_DNS_HINTS
    return &m_dns;
#else
    return nullptr;
#endif
}
