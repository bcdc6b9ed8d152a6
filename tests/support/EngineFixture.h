#pragma once

#include "LoopbackServer.h"
#include "WindowFixture.h"

#include "platform/webengine/WebEngineBrowser.h"
#include "window/LookupProgram.h"
#include "window/LookupStartup.h"

#include <QApplication>
#include <QWebEnginePage>

// A test program that drives the real engine sets its process up as main() does: the same
// environment, the same engine switches, and the GPU taken for a real driver, as a user may.
#define QUILLET_ENGINE_TEST_MAIN(TestObject)                                                       \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        char separator[] = "--webEngineArgs", gpu[] = "--ignore-gpu-blocklist";                    \
        char *engineArgv[] = {argv[0], separator, gpu, nullptr};                                   \
        LookupStartup startup(3, engineArgv, LookupStartup::Answer::Nothing);                      \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }

// How long the engine may take for one step on a loaded machine.
inline constexpr int kPatience = 60000;

// The result of a script in the page's main world; invalid when the page does not answer.
QVariant runScript(QWebEnginePage *page, const QString &script);
// The page's text as a user could copy it.
QString textOf(QWebEnginePage *page);
// A page titled with its own path.
LoopbackServer::Reply titledPage(const QString &path);
// The throwaway certificate for 127.0.0.1 in the test resources.
QSslConfiguration loopbackTls();

// The real program on a loopback lookup service at `serviceRoot` + "whois/".
struct EngineFixture {
    explicit EngineFixture(const QString &serviceRoot, platform::Dialogs *dialogs = nullptr)
        : base(serviceRoot + QStringLiteral("whois/")),
          // DNS questions stay on this machine; with no server on 127.0.0.1:53 they go
          // unanswered and the tabs are marked unknown.
          program(base, WindowFixture::startPage, dialogs, {QStringLiteral("127.0.0.1")})
    {
    }
    // Shown, with the start page loaded.
    bool started();
    void useSuffixes(const QStringList &suffixes) { testwindow::useSuffixes(f, suffixes); }
    void lookUp(const QString &label) { testwindow::lookUp(window, label); }
    platform::WebEngineBrowser &browser(platform::Index i)
    {
        return static_cast<platform::WebEngineBrowser &>(f.browserLookup(i));
    }
    QWebEnginePage *page(platform::Index i) { return browser(i).page(); }
    QString title(platform::Index i) { return page(i)->title(); }

    const QString base;
    LookupProgram program;
    FrmSearch &window = program.window();
    FrmSearchControls &f = window.controls();
};
