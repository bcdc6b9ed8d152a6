#include "StubWebServer.h"

#include "platform/BrowserPage.h"
#include "platform/BrowserProfile.h"
#include "platform/WebEngineBrowser.h"
#include "window/FrmSearch.h"

#include <QTest>
#include <QWebEngineView>

#include <csignal>
#include <vector>

using platform::Index;

namespace {

constexpr int kPatience = 60000;
const QString kStartPage = QStringLiteral("qrc:/start/start.html");
const QString kStopped = QStringLiteral("Page stopped");

QWebEnginePage *pageOf(FrmSearchControls &f, Index i)
{
    return static_cast<platform::WebEngineBrowser &>(f.browserLookup(i)).view()->page();
}

QString textOf(QWebEnginePage *page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kPatience))
        qWarning("no text from %s", qPrintable(page->url().toString()));
    return text;
}

// A window of the real program on a loopback service, shown with its start page loaded.
struct Program {
    explicit Program(const QString &serviceRoot)
        : window(serviceRoot + QStringLiteral("whois/"), kStartPage,
                 platform::WebEngineBrowser::factory(
                     &profile, {QUrl(serviceRoot + QStringLiteral("whois/")), QUrl(kStartPage)}))
    {
        window.Show();
    }
    bool started()
    {
        return QTest::qWaitForWindowExposed(&f.frmSearch) &&
               QTest::qWaitFor([&] { return title(0) == u"Quillet Lookup"; }, kPatience);
    }
    void useSuffixes(const QStringList &suffixes)
    {
        while (f.lstPreFixUse.ListCount() > 0)
            f.lstPreFixUse.RemoveItem(0);
        for (const QString &suffix : suffixes)
            f.lstPreFixUse.AddItem(suffix);
    }
    void lookUp(const QString &name)
    {
        f.txtLookUp.setText(name);
        window.lookupRun().cmdSearch_Click();
    }
    QWebEnginePage *page(Index i) { return pageOf(f, i); }
    QString title(Index i) { return page(i)->title(); }

    platform::BrowserProfile profile;
    FrmSearch window;
    FrmSearchControls &f = window.controls();
};

} // namespace

// The window survives what the engine and the network do to it.
class TestReliability : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void killedRendererLosesNoTab();
    void failingServiceShowsErrorPages();
    void fourHundredTabs();
};

void TestReliability::killedRendererLosesNoTab()
{
    StubWebServer service(&StubWebServer::titledPage);
    Program p(service.rootUrl());
    QVERIFY(p.started());
    const QStringList suffixes = {".co.uk", ".com", ".org"};
    p.useSuffixes(suffixes);
    p.lookUp(QStringLiteral("crash"));
    const auto path = [&](Index i) { return QStringLiteral("/whois/crash") + suffixes[i]; };
    for (Index i = 0; i < 3; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(p.title(i), path(i), kPatience);

    std::vector<QStringList> titles(3);
    for (Index i = 0; i < 3; ++i)
        connect(p.page(i), &QWebEnginePage::titleChanged, this,
                [&titles, i](const QString &t) { titles[i] << t; });
    const auto killRenderers = [&] {
        for (Index i = 0; i < 3; ++i) {
            if (p.page(i)->renderProcessPid() > 0)
                ::kill(pid_t(p.page(i)->renderProcessPid()), SIGKILL);
        }
    };

    // One renderer serves every tab of the service: all three lose their page. The tab in
    // front shows the notice and its page again at once; the covered ones wait until
    // they are brought to the front.
    killRenderers();
    QTRY_COMPARE_WITH_TIMEOUT(service.requests(path(0)), 2, kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), path(0), kPatience);
    QVERIFY2(titles[0].contains(kStopped), qPrintable(titles[0].join(u'|')));
    QTest::qWait(1000);
    QCOMPARE(service.requests(path(1)), 1);
    QCOMPARE(service.requests(path(2)), 1);
    for (Index i : {2, 1}) {
        p.window.tabSelection().imgTab_Click(i);
        QTRY_COMPARE_WITH_TIMEOUT(service.requests(path(i)), 2, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(p.title(i), path(i), kPatience);
        QVERIFY2(titles[i].contains(kStopped), qPrintable(titles[i].join(u'|')));
    }

    // A page whose renderer keeps dying is loaded again a few times, then left with the notice.
    constexpr int allowance = platform::BrowserPage::kMaxRecoveries;
    p.window.tabSelection().imgTab_Click(0);
    for (int reloads = 2; reloads <= allowance; ++reloads) {
        QTRY_VERIFY_WITH_TIMEOUT(p.page(0)->renderProcessPid() > 0, kPatience);
        killRenderers();
        QTRY_COMPARE_WITH_TIMEOUT(service.requests(path(0)), 1 + reloads, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(p.title(0), path(0), kPatience);
    }
    QTRY_VERIFY_WITH_TIMEOUT(p.page(0)->renderProcessPid() > 0, kPatience);
    killRenderers();
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), kStopped, kPatience);
    QTest::qWait(2000);
    QCOMPARE(p.title(0), kStopped);
    QCOMPARE(service.requests(path(0)), 1 + allowance);
    QVERIFY(textOf(p.page(0)).contains(u"not loaded again"));

    // Sent somewhere new by the program, the tab has its whole allowance again.
    p.lookUp(QStringLiteral("again"));
    const QString again = QStringLiteral("/whois/again.co.uk");
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), again, kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(p.page(0)->renderProcessPid() > 0, kPatience);
    killRenderers();
    QTRY_COMPARE_WITH_TIMEOUT(service.requests(again), 2, kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), again, kPatience);
}

void TestReliability::failingServiceShowsErrorPages()
{
    // Nothing listens at the service's address.
    {
        Program p(StubWebServer::refusedRootUrl());
        QVERIFY(p.started());
        p.useSuffixes({".co.uk", ".com", ".org"});
        p.lookUp(QStringLiteral("down"));
        for (Index i : {0, 2, 1}) {
            QTest::mouseClick(&p.f.frmSearch, Qt::LeftButton, {},
                              p.f.lbPreFix(i).pixelRect().center());
            QCOMPARE(p.f.currentTab, i);
            QTRY_VERIFY_WITH_TIMEOUT(textOf(p.page(i)).contains(u"ERR_CONNECTION_REFUSED"),
                                     kPatience);
        }
    }

    // The service fails in two ways, and one tab gets its page.
    StubWebServer service([](const QString &path) -> StubWebServer::Reply {
        if (path.endsWith(u".co.uk"))
            return {500, {}};
        StubWebServer::Reply reply = StubWebServer::titledPage(path);
        reply.hangUp = path.endsWith(u".com");
        return reply;
    });
    Program p(service.rootUrl());
    QVERIFY(p.started());
    p.useSuffixes({".co.uk", ".com", ".org"});
    p.lookUp(QStringLiteral("flaky"));
    const QStringList expected = {"HTTP ERROR 500", "ERR_EMPTY_RESPONSE", "/whois/flaky.org"};
    for (Index i : {2, 1, 0}) {
        QTest::mouseClick(&p.f.frmSearch, Qt::LeftButton, {}, p.f.lbPreFix(i).pixelRect().center());
        QCOMPARE(p.f.currentTab, i);
        QTRY_VERIFY_WITH_TIMEOUT(textOf(p.page(i)).contains(expected[i]), kPatience);
    }
    // Still answering the user: no dialog in the way, and the next lookup goes out.
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::keyClicks(p.f.txtLookUp.widget(), QStringLiteral("x"));
    QCOMPARE(p.f.txtLookUp.Text(), QStringLiteral("flakyx"));
    QTest::mouseClick(p.f.cmdSearch.widget(), Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(textOf(p.page(0)).contains(u"HTTP ERROR 500"), kPatience);
    QCOMPARE(service.requests(QStringLiteral("/whois/flakyx.co.uk")), 1);
}

void TestReliability::fourHundredTabs()
{
    StubWebServer service(&StubWebServer::titledPage);
    Program p(service.rootUrl());
    QVERIFY(p.started());
    const QStringList suffixes = {".co.uk", ".com",  ".org",    ".org.uk", ".net", ".info",
                                  ".biz",   ".name", ".mobile", ".is",     ".eu"};
    p.useSuffixes(suffixes);
    const auto name = [](int run) {
        return QStringLiteral("n%1").arg(run, 2, 10, QLatin1Char('0'));
    };
    for (int run = 0; run < 40; ++run) {
        p.lookUp(name(run));
        QTest::qWait(20);
    }
    QCOMPARE(p.f.browserLookup.Count(), Index(401));

    // Every tab holds the address of its own lookup: tab 0 the last run's first suffix,
    // then ten tabs for each run in turn.
    const QString base = service.rootUrl() + QStringLiteral("whois/");
    const auto address = [&](Index i) {
        if (i == 0)
            return base + name(39) + suffixes[0];
        return base + name((i - 1) / 10) + suffixes[1 + (i - 1) % 10];
    };
    for (Index i = 0; i < 401; ++i)
        QCOMPARE(pageOf(p.f, i)->requestedUrl(), QUrl(address(i)));

    const auto loaded = [&] {
        for (Index i = 0; i < 401; ++i) {
            if (service.requests(QUrl(address(i)).path()) == 0)
                return false;
        }
        return true;
    };
    QTRY_VERIFY_WITH_TIMEOUT(loaded(), 4 * kPatience);
    for (Index i = 0; i < 401; ++i) {
        p.window.tabSelection().imgTab_Click(i);
        QCOMPARE(p.f.currentTab, i);
        QCOMPARE(p.f.frmSearch.windowedControls().front(), &p.f.browserLookup(i));
    }
    for (Index i : {400, 1, 200, 57, 0}) {
        p.window.tabSelection().imgTab_Click(i);
        QTRY_COMPARE_WITH_TIMEOUT(p.title(i), QUrl(address(i)).path(), kPatience);
        QCOMPARE(p.page(i)->url(), QUrl(address(i)));
    }
}

// The engine runs as the program runs it: one renderer process per site.
int main(int argc, char *argv[])
{
    std::vector<char *> args(argv, argv + argc);
    char separator[] = "--webEngineArgs";
    char perSite[] = "--process-per-site";
    args.push_back(separator);
    args.push_back(perSite);
    int engineArgc = int(args.size());
    args.push_back(nullptr);
    QApplication app(engineArgc, args.data());
    TestReliability test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_reliability.moc"
