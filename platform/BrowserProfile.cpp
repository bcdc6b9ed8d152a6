#include "platform/BrowserProfile.h"

#include <QWebEngineDownloadRequest>
#include <QWebEngineSettings>

namespace platform {

BrowserProfile::BrowserProfile(QObject *parent) : QWebEngineProfile(parent)
{
    QWebEngineSettings *s = settings();
    // Chromium's popup blocker: window.open without a user gesture returns null.
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    // The bundled start page needs no local files, so no local page may read them.
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, false);
    s->setAttribute(QWebEngineSettings::NavigateOnDropEnabled, false);
    // Left at its default, a click on "someapp:..." would launch whatever handles it.
    s->setUnknownUrlSchemePolicy(QWebEngineSettings::DisallowUnknownUrlSchemes);

    connect(this, &QWebEngineProfile::downloadRequested, this,
            &BrowserProfile::handleDownloadRequested);
}

void BrowserProfile::prepareEnvironment()
{
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
}

void BrowserProfile::handleDownloadRequested(QWebEngineDownloadRequest *download)
{
    // Nothing is ever saved. The engine would drop a request that nobody accepts anyway;
    // this says so, whatever else comes to listen to the signal.
    download->cancel();
}

} // namespace platform
