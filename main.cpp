#include "BuildConfig.h"
#include "platform/WebEngineBrowser.h"
#include "window/FrmSearch.h"

#include <QApplication>
#include <QWebEngineProfile>

int main(int argc, char *argv[])
{
    // The program writes no files; Qt's and Mesa's shader caches would, unless told not to
    // before the application object exists.
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("quillet-lookup"));
    // Ties the window to its desktop entry, whose name and icon the desktop then shows.
    QApplication::setDesktopFileName(QStringLiteral("org.quillet.Lookup"));

    // Off the record: cache, cookies and storage stay in memory. Declared before the
    // window so that it outlives every page.
    QWebEngineProfile profile;
    FrmSearch window(QString::fromUtf8(kLookupBaseUrl), QString::fromUtf8(kStartPageUrl),
                     platform::WebEngineBrowser::factory(&profile));
    window.Show();
    return app.exec();
}
