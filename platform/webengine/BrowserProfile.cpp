#include "platform/webengine/BrowserProfile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QQuickWindow>
#include <QWebEngineDownloadRequest>
#include <QWebEngineSettings>
#include <QWebEngineUrlScheme>

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
    // GPU work runs inside the program's own process: a driver fault from an ad's WebGL or
    // canvas would take the whole window down. These reach only the canvas element; the
    // engine's --disable-gpu (EngineCommandLine) closes the rest. No page starts sound or video
    // by itself, opens the engine's PDF viewer or takes the whole screen.
    s->setAttribute(QWebEngineSettings::WebGLEnabled, false);
    s->setAttribute(QWebEngineSettings::Accelerated2dCanvasEnabled, false);
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, true);
    // The viewer needs plugins as well: both stay off.
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::PdfViewerEnabled, false);
    s->setAttribute(QWebEngineSettings::FullScreenSupportEnabled, false);

    connect(this, &QWebEngineProfile::downloadRequested, this,
            &BrowserProfile::handleDownloadRequested);
}

void BrowserProfile::prepareEnvironment()
{
    // The engine draws its pages in software (--disable-gpu), so its views need no OpenGL
    // either. Drawn with OpenGL, each view's frame would be composited with the whole window,
    // and the driver would compile its shaders anew at every start, as no cache is kept.
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    qputenv("QT_DISABLE_SHADER_DISK_CACHE", "1");
    qputenv("MESA_SHADER_CACHE_DISABLE", "true");
    // NVIDIA's driver keeps a cache of its own under HOME.
    qputenv("__GL_SHADER_DISK_CACHE", "0");

    // Without a session bus to find, libdbus would start one of its own (where dbus-x11 is
    // installed), which writes under ~/.dbus. Nothing that needs a bus could work then anyway.
    if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QFileInfo::exists(runtime + QStringLiteral("/bus")))
            qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    }

    // The engine registers the program's bundled files as a secure scheme only; as a local
    // one, pages from the internet can neither show nor probe them.
    QWebEngineUrlScheme qrc("qrc");
    qrc.setFlags(QWebEngineUrlScheme::SecureScheme | QWebEngineUrlScheme::LocalScheme);
    QWebEngineUrlScheme::registerScheme(qrc);

    // The engine's colour chooser must be Qt's own dialog, which BrowserView refuses before
    // it shows; the program opens no file, colour or font dialog of its own.
    QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
}

void BrowserProfile::handleDownloadRequested(QWebEngineDownloadRequest *download)
{
    // Nothing is ever saved. The engine would drop a request that nobody accepts anyway;
    // this says so, whatever else comes to listen to the signal.
    download->cancel();
}

} // namespace platform
