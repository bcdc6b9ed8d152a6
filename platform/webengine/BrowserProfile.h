#pragma once

#include <QWebEngineProfile>

class QWebEngineDownloadRequest;

namespace platform {

// The one profile that every browser shares. It is off the record, so cache, cookies and
// storage stay in memory, and it turns off the engine's defaults that are too trusting
// for pages from the internet: script-opened windows, local pages reaching file: URLs,
// navigation by dropping a link, handing unknown URL schemes to the desktop, downloads,
// WebGL and the accelerated canvas, media playing without a user gesture.
class BrowserProfile : public QWebEngineProfile {
    Q_OBJECT

public:
    explicit BrowserProfile(QObject *parent = nullptr);

    // Call before the application object exists: Qt's and Mesa's shader caches would
    // otherwise write to the user's cache folder, and libdbus could start a session bus that
    // does too; and the program's bundled files become a local scheme.
    static void prepareEnvironment();

private:
    void handleDownloadRequested(QWebEngineDownloadRequest *download);
};

} // namespace platform
