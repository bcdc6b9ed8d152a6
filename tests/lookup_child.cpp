// The program as main.cpp starts it, pointed at loopback lookup services instead of the real
// one: for each service address given, it opens the window, looks up one name, waits until
// every tab has its page and closes the window; then it quits. tst_engine runs it with an
// empty home folder. Unlike the real program, it accepts the services' throwaway
// certificate.
//
// Usage: quillet-lookup-child <name> <lookup base address>...

#include "platform/EngineCommandLine.h"
#include "platform/WebEngineBrowser.h"
#include "window/LookupProgram.h"

#include <QApplication>
#include <QTest>
#include <QWebEngineCertificateError>
#include <QWebEnginePage>
#include <QWebEngineView>

#include <cstdio>

using platform::Index;

namespace {

QWebEnginePage *pageOf(FrmSearchControls &f, Index i)
{
    return static_cast<platform::WebEngineBrowser &>(f.browserLookup(i)).page();
}

// Looks `name` up on the service at `base`; true when every tab shows its page.
bool lookUp(const QString &name, const QString &base)
{
    LookupProgram program(base, QStringLiteral("qrc:/start/start.html"));
    FrmSearch &window = program.window();
    FrmSearchControls &f = window.controls();
    window.Show();
    if (!QTest::qWaitFor([&] { return pageOf(f, 0)->title() == u"Quillet Lookup"; }, 60000)) {
        std::fprintf(stderr, "the start page did not load\n");
        return false;
    }

    f.txtLookUp.setText(name);
    window.lookupRun().cmdSearch_Click();
    int finished = 0;
    for (Index i = 0; i < f.browserLookup.Count(); ++i) {
        QWebEnginePage *page = pageOf(f, i);
        QObject::connect(page, &QWebEnginePage::certificateError,
                         [](QWebEngineCertificateError error) { error.acceptCertificate(); });
        QObject::connect(page, &QWebEnginePage::loadFinished, [&finished] { ++finished; });
    }
    const Index count = f.browserLookup.Count();
    if (!QTest::qWaitFor([&] { return finished >= count; }, 60000))
        std::fprintf(stderr, "not every tab finished loading\n");

    bool ok = true;
    for (Index i = 0; i < count; ++i) {
        const QString expected = QUrl(base).path() + name + f.lbPreFix(i).Caption();
        const QString title = pageOf(f, i)->title();
        std::printf("%s -> %s\n", qPrintable(pageOf(f, i)->url().toString()), qPrintable(title));
        ok = ok && title == expected;
    }
    f.frmSearch.close();
    return ok;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc < 3)
        return 2;
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    LookupProgram::prepareProcess();
    platform::EngineCommandLine commandLine(argc, argv);
    QApplication app(commandLine.argc(), commandLine.argv());
    LookupProgram::nameApplication();
    bool ok = true;
    for (const QString &base : args.mid(1))
        ok = lookUp(args.at(0), base) && ok;
    return ok ? 0 : 1;
}
