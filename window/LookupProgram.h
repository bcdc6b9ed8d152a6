#pragma once

#include "platform/webengine/BrowserProfile.h"
#include "window/FrmSearch.h"

#include <QList>
#include <QUrl>

// The program as it runs: the settings that must be in place before the application object
// exists, the one browser profile, and the window on it. main() and every test or benchmark
// that drives the real engine start through here, so that they run the program's own set-up.
class LookupProgram {
public:
    // First thing in main(), before the application object exists.
    static void prepareProcess();
    // Right after the application object exists.
    static void nameApplication();

    // `dialogs` may be null for Qt's own dialogs.
    LookupProgram(const QString &lookupBaseUrl, const QString &startPageUrl,
                  platform::Dialogs *dialogs = nullptr);

    FrmSearch &window() { return m_window; }
    platform::BrowserProfile &profile() { return m_profile; }

private:
    // Declared before the window, so that it outlives every page.
    platform::BrowserProfile m_profile;
    FrmSearch m_window;
};
