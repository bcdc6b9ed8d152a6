#include "AppSubject.h"
#include "BenchDriver.h"
#include "BuildConfig.h"
#include "PlainSubject.h"
#include "StubWhoisServer.h"
#include "VirtualDisplay.h"
#include "platform/webengine/EngineCommandLine.h"
#include "window/LookupStartup.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QHash>
#include <QQuickWindow>

#include <cstdio>
#include <vector>

namespace {

// The program as main() starts it, pointed at the stub service.
int runProgram(int argc, char *argv[], const QString &rootUrl)
{
    LookupStartup startup(argc, argv, LookupStartup::Answer::Nothing);
    // The benchmark's own loopback name server and registries.
    AppSubject subject(rootUrl, QString::fromUtf8(kStartPageUrl),
                       {qEnvironmentVariable("QUILLET_BENCH_DNS")},
                       QUrl(qEnvironmentVariable("QUILLET_BENCH_RDAP")));
    subject.start();
    return QApplication::exec();
}

// Plain views in a window of their own, on the application object already made.
int execPlain(const QString &rootUrl, const QString &addition)
{
    PlainSubject subject(rootUrl, QUrl(QString::fromUtf8(kStartPageUrl)), addition);
    subject.start();
    return QApplication::exec();
}

// A bare program with plain views, nothing set but `addition`, one of the program's own:
// engine switches ("per-site", "jitless" with the program's other V8 flags, "no-gpu"), views
// drawn in software ("software"), the program's whole start-up ("floor") or what
// PlainSubject takes.
int runPlain(int argc, char *argv[], const QString &rootUrl, const QString &addition)
{
    if (addition == u"floor") {
        LookupStartup startup(argc, argv, LookupStartup::Answer::Nothing);
        return execPlain(rootUrl, addition);
    }
    std::vector<char *> args(argv, argv + argc);
    static QByteArray perSite("--process-per-site"),
        jsFlags(QByteArray("--js-flags=") + platform::EngineCommandLine::kOurJsFlags),
        noGpu("--disable-gpu"), separator("--webEngineArgs");
    static const QHash<QString, char *> switches = {
        {"per-site", perSite.data()}, {"jitless", jsFlags.data()}, {"no-gpu", noGpu.data()}};
    if (char *engineSwitch = switches.value(addition))
        args.insert(args.end(), {separator.data(), engineSwitch});
    if (addition == u"software")
        QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    int count = int(args.size());
    args.push_back(nullptr);
    QApplication app(count, args.data());
    return execPlain(rootUrl, addition);
}

} // namespace

int main(int argc, char *argv[])
{
    // Children: quillet-bench --subject app|plain|plain:<addition> <root url>
    if (argc == 4 && qstrcmp(argv[1], "--subject") == 0) {
        const QString rootUrl = QString::fromUtf8(argv[3]);
        const QString kind = QString::fromUtf8(argv[2]);
        return kind == u"app" ? runProgram(argc, argv, rootUrl)
                              : runPlain(argc, argv, rootUrl, kind.section(u':', 1));
    }

    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Measures Quillet Lookup against plain web views on a loopback stub "
                       "WHOIS service, under X and headless, and prints one table for each."));
    parser.addHelpOption();
    const QCommandLineOption quick(QStringLiteral("quick"),
                                   QStringLiteral("Fewer repeats and a shorter idle period."));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Pass on what the measured programs log."));
    const QCommandLineOption programOnly(
        QStringLiteral("program-only"),
        QStringLiteral("Measure the program alone, without the baselines (to try a change)."));
    const QCommandLineOption offscreen(QStringLiteral("offscreen"),
                                       QStringLiteral("Only headless, on the offscreen platform."));
    const QCommandLineOption x11(
        QStringLiteral("x11"),
        QStringLiteral("Only on an X server of its own (Xvfb), with OpenGL."));
    const QCommandLineOption serve(
        QStringLiteral("serve"),
        QStringLiteral(
            "Only run the stub service, and DNS on 127.0.0.1:53 (example.org not in DNS, "
            "example.net failing, any other name delegated), to try the program by hand."));
    const QCommandLineOption additions(
        QStringLiteral("additions"),
        QStringLiteral("Only what each of the program's additions to a page costs on its own."));
    parser.addOptions({quick, verbose, programOnly, offscreen, x11, serve, additions});
    parser.process(app);
    if (parser.isSet(serve)) {
        StubWhoisServer server;
        // On port 53, for a program that asks the resolver of /etc/resolv.conf.
        const LoopbackDns dns(
            LoopbackDns::nearby({{"example.org", LoopbackDns::Reply::NoSuchName},
                                 {"example.net", LoopbackDns::Reply::ServerFailure}}),
            53);
        if (!server.isListening())
            return 2;
        if (!dns.isListening())
            std::fprintf(stderr, "bench: no DNS on 127.0.0.1:53: %s\n",
                         qPrintable(dns.errorString()));
        std::printf("%s\n", qPrintable(server.rootUrl()));
        std::fflush(stdout);
        return app.exec();
    }
    // Under X first, as a desktop user runs the program, then headless: one table each.
    int result = 0;
    if (!parser.isSet(offscreen)) {
        VirtualDisplay display;
        if (display.start()) {
            BenchDriver driver(QCoreApplication::applicationFilePath(),
                               {parser.isSet(quick), parser.isSet(verbose),
                                parser.isSet(programOnly), display.name()});
            result = parser.isSet(additions) ? driver.runAdditions() : driver.run();
            std::printf("\n");
        } else {
            std::fprintf(stderr, "bench: no X server (is Xvfb installed?); headless only\n");
        }
    }
    if (!parser.isSet(x11) && result == 0) {
        BenchDriver driver(
            QCoreApplication::applicationFilePath(),
            {parser.isSet(quick), parser.isSet(verbose), parser.isSet(programOnly), {}});
        result = parser.isSet(additions) ? driver.runAdditions() : driver.run();
    }
    return result;
}
