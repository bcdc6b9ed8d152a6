// Takes the README's screenshot: the real program, headless, after a lookup of "example"
// against loopback stand-ins for the lookup service, the resolver and the registries, so no
// network is needed. Run from the repository root:
//   cmake --build build --target take-screenshot
//   ./build/tools/take-screenshot docs/screenshot.png
#include "LoopbackDns.h"
#include "LoopbackRegistry.h"
#include "LoopbackServer.h"

#include "platform/webengine/WebEngineBrowser.h"
#include "tabs/TabRecords.h"
#include "window/LookupProgram.h"
#include "window/LookupStartup.h"

#include <QApplication>
#include <QTest>
#include <QWebEnginePage>

#include <cstdio>

using platform::Index;

namespace {

// What DNS says of each domain looked up: every kind of mark shows.
const QHash<QString, LoopbackDns::Reply> kDns = {
    {"example.co.uk", LoopbackDns::Reply::Delegated},
    {"example.com", LoopbackDns::Reply::Delegated},
    {"example.org", LoopbackDns::Reply::NoSuchName},
    {"example.org.uk", LoopbackDns::Reply::NoSuchName},
    {"example.net", LoopbackDns::Reply::ServerFailure},
};

// What a lookup service might answer for a domain, marked as the stand-in it is.
LoopbackServer::Reply standInPage(const QString &path)
{
    const QString domain = path.section(QLatin1Char('/'), -1).toHtmlEscaped();
    if (kDns.value(domain) == LoopbackDns::Reply::NoSuchName) {
        return {200, QStringLiteral("<!doctype html><html><head><meta charset=\"utf-8\">"
                                    "<title>%1</title></head><body style=\"font-family: "
                                    "sans-serif; margin: 24px\"><h1 style=\"font-size: 22px\">"
                                    "%1</h1><p>No match for this domain.</p></body></html>")
                         .arg(domain)
                         .toUtf8()};
    }
    const QString page = QStringLiteral(R"(<!doctype html>
<html><head><meta charset="utf-8"><link rel="icon" href="data:,"><title>%1</title>
<style>
body { font-family: sans-serif; margin: 24px; color: #222; }
h1 { font-size: 22px; margin: 0 0 4px; }
p.note { color: #666; margin: 0 0 18px; font-size: 13px; }
table { border-collapse: collapse; font-size: 14px; }
th { text-align: left; padding: 6px 24px 6px 0; color: #555; font-weight: normal; }
td { padding: 6px 0; }
tr { border-bottom: 1px solid #ddd; }
</style></head>
<body><h1>%1</h1><p class="note">Loopback stand-in for the lookup service</p>
<table>
<tr><th>Status</th><td>Registered</td></tr>
<tr><th>Registrar</th><td>Stand-in Registrar Ltd</td></tr>
<tr><th>Created</th><td>1995-08-14</td></tr>
<tr><th>Expires</th><td>2031-08-13</td></tr>
<tr><th>Name servers</th><td>ns1.%1<br>ns2.%1</td></tr>
</table></body></html>
)")
                             .arg(domain);
    return {200, page.toUtf8()};
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argc > 0 ? argv[0] : "take-screenshot");
        return 2;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    LookupStartup startup(argc, argv, LookupStartup::Answer::Nothing);

    LoopbackServer server(&standInPage);
    LoopbackDns dns(LoopbackDns::nearby(kDns));
    if (!dns.isListening()) {
        std::fprintf(stderr, "take-screenshot: no loopback DNS server: %s\n",
                     qPrintable(dns.errorString()));
        return 1;
    }
    // Registries for four of the suffixes: two records, one "no record", one failing.
    using Registry = LoopbackRegistry::Reply;
    LoopbackRegistry registry({{"example.co.uk", Registry::Full},
                               {"example.com", Registry::Full},
                               {"example.org", Registry::NoRecord},
                               {"example.net", Registry::ServerError}},
                              Registry::NoRecord, {"co.uk", "com", "org", "net"});
    LookupProgram program(server.rootUrl() + QStringLiteral("whois/"),
                          QStringLiteral("qrc:/start/start.html"), nullptr, {dns.forwarder()},
                          registry.bootstrapUrl());
    FrmSearch &window = program.window();
    FrmSearchControls &f = window.controls();
    const auto title = [&f](Index i) {
        return static_cast<platform::WebEngineBrowser &>(f.browserLookup(i)).page()->title();
    };

    window.Show();
    // The program opens maximized; a smaller window suits the README better.
    f.frmSearch.showNormal();
    f.frmSearch.resize(800, 520);
    if (!QTest::qWaitForWindowExposed(&f.frmSearch) ||
        !QTest::qWaitFor([&] { return title(0) == QLatin1String("Quillet Lookup"); }, 60000)) {
        std::fprintf(stderr, "take-screenshot: the start page did not load\n");
        return 1;
    }

    QTest::keyClicks(f.txtLookUp.widget(), QStringLiteral("example"));
    QTest::mouseClick(f.cmdSearch.widget(), Qt::LeftButton);
    for (Index i = 0; i < f.imgTab.Count(); ++i) {
        const QString domain = QStringLiteral("example") + f.lbPreFix(i).Caption();
        if (!QTest::qWaitFor([&] { return title(i) == domain; }, 60000)) {
            std::fprintf(stderr, "take-screenshot: %s did not load\n", qPrintable(domain));
            return 1;
        }
        // Every source has answered.
        const TabRecord &record = window.tabRecords()->record(i);
        if (!QTest::qWaitFor([&] {
                return (!LOOKUP_DNS_HINTS || record.dns.state != DnsEvidence::None) &&
                       (!LOOKUP_RDAP || record.registry.state != RegistryEvidence::None);
            })) {
            std::fprintf(stderr, "take-screenshot: no answer for %s\n", qPrintable(domain));
            return 1;
        }
    }
    // Let the first page's last frame reach the screen.
    QTest::qWait(1000);

    const QString output = QString::fromLocal8Bit(argv[1]);
    if (!f.frmSearch.grab().toImage().save(output)) {
        std::fprintf(stderr, "take-screenshot: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
