#include "window/LookupStartup.h"

#include "BuildConfig.h"
#include "platform/webengine/BrowserProfile.h"
#include "window/ProgramOptions.h"

LookupStartup::Prepared::Prepared(int argc, char **argv, Answer answer)
{
    // The program writes no files; Qt's and Mesa's shader caches would, unless told not to
    // before the application object exists.
    platform::BrowserProfile::prepareEnvironment();
    if (answer == Answer::HelpAndVersion) {
        if (ProgramOptions options(argc, argv); options.asked())
            options.answer();
    }
}

LookupStartup::LookupStartup(int argc, char **argv, Answer answer)
    : m_prepared(argc, argv, answer), m_commandLine(argc, argv),
      m_application(m_commandLine.argc(), m_commandLine.argv())
{
    nameApplication();
}

void LookupStartup::nameApplication()
{
    QApplication::setApplicationName(QStringLiteral("quillet-lookup"));
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    // Ties the window to its desktop entry, whose name and icon the desktop then shows.
    QApplication::setDesktopFileName(QStringLiteral("org.quillet.Lookup"));
}
