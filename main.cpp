#include "BuildConfig.h"
#include "platform/BrowserProfile.h"
#include "platform/EngineCommandLine.h"
#include "platform/WebEngineBrowser.h"
#include "window/FrmSearch.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The program writes no files; Qt's and Mesa's shader caches would, unless told not to
    // before the application object exists.
    platform::BrowserProfile::prepareEnvironment();

    platform::EngineCommandLine commandLine(argc, argv);
    QApplication app(commandLine.argc(), commandLine.argv());
    QApplication::setApplicationName(QStringLiteral("quillet-lookup"));
    // Ties the window to its desktop entry, whose name and icon the desktop then shows.
    QApplication::setDesktopFileName(QStringLiteral("org.quillet.Lookup"));

    // Off the record: cache, cookies and storage stay in memory. Declared before the
    // window so that it outlives every page.
    platform::BrowserProfile profile;
    const QString lookupBaseUrl = QString::fromUtf8(kLookupBaseUrl);
    const QString startPageUrl = QString::fromUtf8(kStartPageUrl);
    // Pages stay on the lookup service and the start page; the user's links elsewhere open
    // in the desktop's web browser.
    const QList<QUrl> homeUrls = {QUrl(lookupBaseUrl), QUrl(startPageUrl)};
    FrmSearch window(lookupBaseUrl, startPageUrl,
                     platform::WebEngineBrowser::factory(&profile, homeUrls));
    window.Show();
    return app.exec();
}
