#include "EngineFixture.h"
#include "StubWebServer.h"

#include "platform/BrowserPage.h"

#include <QAccessible>
#include <QDesktopServices>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

#include <csignal>

using platform::Index;

namespace {

const QString kStopped = QStringLiteral("Page stopped");

// Waits until `server` has seen a request that `page` sends after everything before it: what
// the program would have sent meanwhile, it has sent by then.
bool roundTrip(StubWebServer &server, QWebEnginePage *page)
{
    const int before = server.requests(QStringLiteral("/sync"));
    page->runJavaScript(QStringLiteral("fetch('/sync')"));
    return QTest::qWaitFor([&] { return server.requests(QStringLiteral("/sync")) > before; },
                           kPatience);
}

void killRenderer(QWebEnginePage *page)
{
    if (page->renderProcessPid() > 0)
        ::kill(pid_t(page->renderProcessPid()), SIGKILL);
}

// Stands in for the desktop's web browser, and for any program an odd URL scheme would start.
class DesktopRecorder : public QObject {
    Q_OBJECT

public:
    QStringList opened;

public Q_SLOTS:
    void open(const QUrl &url) { opened << url.toString(); }
};

// Closes, and remembers, every dialog or extra window that shows up.
class WindowWatch : public QObject {
public:
    explicit WindowWatch(QWidget *mainWindow) : m_main(mainWindow)
    {
        connect(&m_timer, &QTimer::timeout, this, [this] {
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (w != m_main && w->isVisible()) {
                    seen << QString::fromLatin1(w->metaObject()->className());
                    w->close();
                }
            }
        });
        m_timer.start(50);
    }
    QStringList seen;

private:
    QWidget *m_main;
    QTimer m_timer;
};

int matchesOnPage(QWebEnginePage *page, const QString &text)
{
    int matches = -1;
    page->findText(text, {},
                   [&](const QWebEngineFindTextResult &r) { matches = r.numberOfMatches(); });
    if (!QTest::qWaitFor([&] { return matches >= 0; }, kPatience))
        qWarning("no answer from the page to a search for: %s", qPrintable(text));
    page->findText(QString());
    return matches;
}

} // namespace

// The real program with the real engine against loopback services: what a user sees, what
// the engine and the network do to the window, and what a page from the internet can do.
class TestEngine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookupShowsEachSuffixPage();
    void manyTabsStayLightAndSelectable();
    void killedRendererLosesNoTab();
    void failingServiceLeavesTheWindowWorking_data();
    void failingServiceLeavesTheWindowWorking();
    void hostilePageGetsNothing();
    void lookupLeavesHomeEmpty();
};

void TestEngine::lookupShowsEachSuffixPage()
{
    StubWebServer server(&StubWebServer::titledPage);
    EngineFixture p(server.rootUrl());
    QVERIFY(p.started());
    p.useSuffixes({".co.uk", ".com", ".org"});
    QTest::keyClicks(p.f.txtLookUp.widget(), QStringLiteral("example"));
    QTest::mouseClick(p.f.cmdSearch.widget(), Qt::LeftButton);
    const QStringList domains = {"example.co.uk", "example.com", "example.org"};
    for (Index i = 0; i < 3; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(p.title(i), "/whois/" + domains[i], kPatience);

    // Selecting a tab shows its page without loading it again: one request a suffix.
    p.window.tabSelection().imgTab_Click(2);
    QVERIFY(roundTrip(server, p.page(2)));
    QCOMPARE(p.title(2), QStringLiteral("/whois/example.org"));
    for (const QString &domain : domains)
        QCOMPARE(server.requests("/whois/" + domain), 1);
    // The engine's views paint through windows that are never shown: the program's top level
    // holds its window alone, for a screen reader to meet.
    QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
    QCOMPARE(program->childCount(), 1);
    QCOMPARE(program->child(0)->object(), &p.f.frmSearch);
}

void TestEngine::manyTabsStayLightAndSelectable()
{
    StubWebServer service(&StubWebServer::titledPage);
    EngineFixture p(service.rootUrl());
    QVERIFY(p.started());
    const QStringList suffixes = {".a", ".b", ".c", ".d", ".e"};
    p.useSuffixes(suffixes);
    constexpr int runs = 6;
    for (int run = 0; run < runs; ++run)
        p.lookUp(QStringLiteral("n%1").arg(run));
    const Index count = p.f.browserLookup.Count();
    QCOMPARE(count, Index(1 + runs * 4));

    // Every tab holds the address of its own lookup: tab 0 the last run's first suffix, then
    // four tabs for each run in turn.
    const auto address = [&](Index i) {
        return i == 0 ? p.base + QStringLiteral("n%1.a").arg(runs - 1)
                      : p.base + QStringLiteral("n%1").arg((i - 1) / 4) + suffixes[1 + (i - 1) % 4];
    };
    for (Index i = 0; i < count; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(p.title(i), QUrl(address(i)).path(), kPatience);
    // Covered pages rest frozen once loaded; the one in front runs.
    for (Index i = 1; i < count; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(p.page(i)->lifecycleState(),
                                  QWebEnginePage::LifecycleState::Frozen, kPatience);
    QCOMPARE(p.page(0)->lifecycleState(), QWebEnginePage::LifecycleState::Active);

    for (Index i : {Index(count - 1), Index(1), Index(count / 2), Index(0)}) {
        p.window.tabSelection().imgTab_Click(i);
        QCOMPARE(p.f.frmSearch.windowedControls().front(), &p.f.browserLookup(i));
        QCOMPARE(p.page(i)->lifecycleState(), QWebEnginePage::LifecycleState::Active);
        QVERIFY(roundTrip(service, p.page(i)));
        QCOMPARE(p.page(i)->url(), QUrl(address(i)));
    }
    QCOMPARE(service.requests(QUrl(address(1)).path()), 1);
}

void TestEngine::killedRendererLosesNoTab()
{
    StubWebServer service(&StubWebServer::titledPage);
    EngineFixture p(service.rootUrl());
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

    // One renderer serves every tab of the service: all three lose their page. The tab in
    // front shows the notice and its page again at once; the covered ones wait until
    // they are brought to the front.
    killRenderer(p.page(0));
    QTRY_COMPARE_WITH_TIMEOUT(service.requests(path(0)), 2, kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), path(0), kPatience);
    QVERIFY2(titles[0].contains(kStopped), qPrintable(titles[0].join(u'|')));
    QVERIFY(roundTrip(service, p.page(0)));
    QCOMPARE(service.requests(path(1)) + service.requests(path(2)), 2);
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
        killRenderer(p.page(0));
        QTRY_COMPARE_WITH_TIMEOUT(service.requests(path(0)), 1 + reloads, kPatience);
        QTRY_COMPARE_WITH_TIMEOUT(p.title(0), path(0), kPatience);
    }
    QTRY_VERIFY_WITH_TIMEOUT(p.page(0)->renderProcessPid() > 0, kPatience);
    killRenderer(p.page(0));
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), kStopped, kPatience);
    // Asking the page for its text is a round trip after any reload would have gone out.
    QVERIFY(textOf(p.page(0)).contains(u"not loaded again"));
    QCOMPARE(service.requests(path(0)), 1 + allowance);

    // Sent somewhere new by the program, the tab has its whole allowance again.
    p.lookUp(QStringLiteral("again"));
    const QString again = QStringLiteral("/whois/again.co.uk");
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), again, kPatience);
    killRenderer(p.page(0));
    QTRY_COMPARE_WITH_TIMEOUT(service.requests(again), 2, kPatience);
    QTRY_COMPARE_WITH_TIMEOUT(p.title(0), again, kPatience);
}

void TestEngine::failingServiceLeavesTheWindowWorking_data()
{
    QTest::addColumn<int>("status"); // 0: nothing listens; -1: the connection is closed early
    QTest::newRow("connection refused") << 0;
    QTest::newRow("HTTP 500") << 500;
    QTest::newRow("closed without an answer") << -1;
}

void TestEngine::failingServiceLeavesTheWindowWorking()
{
    QFETCH(int, status);
    StubWebServer service([status](const QString &path) -> StubWebServer::Reply {
        StubWebServer::Reply reply = StubWebServer::titledPage(path);
        reply.status = status > 0 ? status : 200;
        reply.hangUp = status < 0;
        return reply;
    });
    EngineFixture p(status == 0 ? StubWebServer::refusedRootUrl() : service.rootUrl());
    QVERIFY(p.started());
    p.useSuffixes({".com", ".org"});
    p.lookUp(QStringLiteral("down"));
    int finished = 0;
    for (Index i : {0, 1})
        connect(p.page(i), &QWebEnginePage::loadFinished, this, [&finished] { ++finished; });
    QTRY_COMPARE_WITH_TIMEOUT(finished, 2, kPatience);

    // The engine's own account of the failure stays in the tab, at the address the program
    // sent it to; the window still answers the user and the next lookup goes out.
    for (Index i : {1, 0}) {
        QTest::mouseClick(&p.f.frmSearch, Qt::LeftButton, {}, p.f.lbPreFix(i).pixelRect().center());
        QCOMPARE(p.f.currentTab, i);
        QCOMPARE(p.page(i)->url(), QUrl(p.base + "down" + (i ? ".org" : ".com")));
        QVERIFY(p.title(i) != kStopped);
    }
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QTest::keyClicks(p.f.txtLookUp.widget(), QStringLiteral("x"));
    QTest::mouseClick(p.f.cmdSearch.widget(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(p.page(0)->url(), QUrl(p.base + "downx.com"), kPatience);
    if (status != 0)
        QTRY_COMPARE_WITH_TIMEOUT(service.requests(QStringLiteral("/whois/downx.com")), 1,
                                  kPatience);
}

void TestEngine::hostilePageGetsNothing()
{
    QTemporaryDir localFiles;
    const QString secretFile = localFiles.filePath(QStringLiteral("secret.html"));
    {
        QFile secret(secretFile);
        QVERIFY(secret.open(QIODevice::WriteOnly));
        secret.write("<p>local-secret-7f3a</p>");
    }

    // Another site: ads in frames, and the places the page tries to send the user to.
    StubWebServer away([](const QString &path) -> StubWebServer::Reply {
        if (path != u"/ad")
            return StubWebServer::titledPage(path);
        return {200, R"html(<!doctype html><body style="margin:0">
<a id=top target=_top href="/ad-top" style="display:block;height:50px"
   onclick="parent.postMessage('ad:top', '*')">ad, whole tab</a>
<a id=blank target=_blank href="/ad-blank" style="display:block;height:50px"
   onclick="parent.postMessage('ad:blank', '*')">ad, new window</a>
<script>window.open('/ad-popup'); parent.postMessage('ad:loaded', '*');</script>
</body>)html"};
    });
    const QByteArray awayRoot = away.rootUrl().toUtf8();

    const QByteArray hostile = R"html(<!doctype html><html><head><title>hostile</title><style>
body { margin: 0 } a, input, iframe { position: absolute; left: 0; width: 180px; height: 30px;
  display: block; border: 0 } iframe { height: 100px }
</style></head><body>
<a id=away style="top:0" href="AWAY/clicked-main">elsewhere</a>
<a id=blank style="top:40px" target=_blank href="AWAY/clicked-blank">new window</a>
<a id=odd style="top:80px" href="quillet-odd:run" onclick="note('odd:clicked')">odd scheme</a>
<input id=chooser style="top:120px" type=file onclick="note('chooser:clicked')">
<a id=download style="top:160px" href="/download.bin">download</a>
<iframe id=ad style="top:200px" src="AWAY/ad"></iframe>
<iframe style="top:310px" src="file://SECRET"></iframe>
<iframe style="top:310px; left: 200px" src="qrc:/start/start.html"></iframe>
<pre id=log style="position:absolute; left:400px"></pre>
<script>
const note = (s) => { document.getElementById('log').textContent += s + '\n'; };
addEventListener('message', (e) => note(e.data));
addEventListener('beforeunload', (e) => { e.preventDefault(); e.returnValue = 'stay'; });
note(window.open('AWAY/popup') ? 'popup:opened' : 'popup:blocked');
Notification.requestPermission().then((p) => note('notifications:' + p));
navigator.geolocation.getCurrentPosition(() => note('geolocation:granted'),
    (e) => note('geolocation:' + (e.code == e.PERMISSION_DENIED ? 'denied' : e.code)));
alert('alert'); confirm('confirm'); prompt('prompt');
setTimeout(() => { window.open('AWAY/late-popup'); location.href = 'AWAY/hijack'; }, 300);
setTimeout(() => note('timers:done'), 900);
</script></body></html>)html";
    StubWebServer home([&](const QString &path) -> StubWebServer::Reply {
        if (path == u"/whois/evil.com") {
            return {200, QByteArray(hostile)
                             .replace("AWAY/", awayRoot)
                             .replace("SECRET", secretFile.toUtf8())};
        }
        if (path == u"/download.bin")
            return {200,
                    "payload",
                    "application/octet-stream",
                    {{"Content-Disposition", "attachment; filename=\"quillet-test.bin\""}}};
        if (path == u"/whois/hop.com")
            return {302, {}, "text/html", {{"Location", awayRoot + "landed"}}};
        return StubWebServer::titledPage(path);
    });

    DesktopRecorder desktop;
    for (const char *scheme : {"http", "https", "quillet-odd"})
        QDesktopServices::setUrlHandler(QString::fromLatin1(scheme), &desktop, "open");
    const auto cleanUp = qScopeGuard([] {
        for (const char *scheme : {"http", "https", "quillet-odd"})
            QDesktopServices::unsetUrlHandler(QString::fromLatin1(scheme));
    });

    EngineFixture p(home.rootUrl());
    const QString downloaded =
        QDir(p.program.profile().downloadPath()).filePath(QStringLiteral("quillet-test.bin"));
    QFile::remove(downloaded);
    QList<QPointer<QWebEngineDownloadRequest>> downloads;
    connect(&p.program.profile(), &QWebEngineProfile::downloadRequested, this,
            [&](QWebEngineDownloadRequest *d) { downloads << d; });
    QWebEngineView *view = p.browser(0).view();
    QWebEnginePage *page = view->page();
    const auto log = [&] {
        return runScript(page, QStringLiteral("document.getElementById('log').textContent"))
            .toString();
    };
    const auto click = [&](const QString &id, int dy = 0) {
        const QString script =
            QStringLiteral("JSON.stringify(document.getElementById('%1').getBoundingClientRect())")
                .arg(id);
        const QJsonObject r =
            QJsonDocument::fromJson(runScript(page, script).toString().toUtf8()).object();
        const QPoint at(int(r.value(u"x").toDouble()) + 20,
                        int(r.value(u"y").toDouble()) + 10 + dy);
        QTest::mouseMove(view->focusProxy(), at);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
    };

    WindowWatch watch(&p.f.frmSearch);
    // The bundled start page still works without access to local files.
    QVERIFY(p.started());
    p.useSuffixes({".com"});
    p.lookUp(QStringLiteral("evil"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"timers:done"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"ad:loaded"), kPatience);

    // What the page tried on its own, without the user: nothing got through.
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"notifications:denied"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"geolocation:denied"), kPatience);
    QVERIFY2(log().contains(u"popup:blocked"), qPrintable(log()));
    QCOMPARE(page->url(), QUrl(p.base + QStringLiteral("evil.com")));
    QCOMPARE(away.requests(QStringLiteral("/hijack")), 0);
    QCOMPARE(matchesOnPage(page, QStringLiteral("local-secret-7f3a")), 0);
    QCOMPARE(matchesOnPage(page, QStringLiteral("Look up one domain name")), 0);
    QCOMPARE(desktop.opened, QStringList());

    // The user's own clicks in the page: links elsewhere go to the desktop's browser.
    click(QStringLiteral("away"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.opened, QStringList(away.rootUrl() + "clicked-main"),
                              kPatience);
    click(QStringLiteral("blank"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.opened.size(), 2, kPatience);
    QCOMPARE(desktop.opened.last(), away.rootUrl() + "clicked-blank");
    click(QStringLiteral("odd"));
    click(QStringLiteral("chooser"));
    click(QStringLiteral("download"));
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"chooser:clicked"), kPatience);
    QVERIFY(log().contains(u"odd:clicked"));
    QTRY_COMPARE_WITH_TIMEOUT(downloads.size(), 1, kPatience);
    // Straight after a click in the page, clicks in the ad frame must open nothing either;
    // a last click on a real link comes after whatever they would have opened.
    click(QStringLiteral("ad"));
    click(QStringLiteral("ad"), 50);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"ad:top") && log().contains(u"ad:blank"), kPatience);
    click(QStringLiteral("away"));
    QTRY_COMPARE_WITH_TIMEOUT(desktop.opened.size(), 3, kPatience);
    QCOMPARE(desktop.opened.last(), away.rootUrl() + "clicked-main");
    QCOMPARE(page->url(), QUrl(p.base + QStringLiteral("evil.com")));
    for (const char *path : {"/ad-top", "/ad-blank", "/ad-popup", "/popup"})
        QCOMPARE(away.requests(QLatin1String(path)), 0);
    QVERIFY(!downloads.first() ||
            downloads.first()->state() != QWebEngineDownloadRequest::DownloadCompleted);
    QVERIFY(!QFile::exists(downloaded));
    QCOMPARE(watch.seen, QStringList());

    // The program still moves the tab on, whatever the page objects; a service that sends
    // the lookup to another site gets a notice, not the other site.
    p.lookUp(QStringLiteral("hop"));
    QTRY_COMPARE_WITH_TIMEOUT(page->title(), QStringLiteral("Sent elsewhere"), kPatience);
    QCOMPARE(away.requests(QStringLiteral("/landed")), 0);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(std::ranges::count_if(windows, [](QWidget *w) { return w->isVisible(); }), 1);
}

void TestEngine::lookupLeavesHomeEmpty()
{
    StubWebServer http(&StubWebServer::titledPage);
    StubWebServer https(&StubWebServer::titledPage, StubWebServer::loopbackTls());
    QTemporaryDir home;
    QTemporaryDir runtime;
    // A private X server, so that the program draws with OpenGL as on a desktop and the
    // shader caches come into play: offscreen, they never do.
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    QVERIFY2(!xvfb.isEmpty(), "Xvfb is needed to run the program as on a desktop");
    QProcess display;
    display.start(xvfb, {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
    const auto stopDisplay = qScopeGuard([&] {
        display.terminate();
        display.waitForFinished();
    });
    QVERIFY(QTest::qWaitFor([&] { return display.canReadLine(); }, kPatience));

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The program must keep its shader caches off by itself.
    env.remove(QStringLiteral("QT_DISABLE_SHADER_DISK_CACHE"));
    env.remove(QStringLiteral("MESA_SHADER_CACHE_DISABLE"));
    env.insert(QStringLiteral("DISPLAY"), u':' + QString::fromLatin1(display.readLine().trimmed()));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    for (const char *xdg : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME"})
        env.remove(QLatin1String(xdg));
    QProcess child;
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationDirPath() + QStringLiteral("/quillet-lookup-child"),
                {QStringLiteral("example"), http.rootUrl() + QStringLiteral("whois/"),
                 https.rootUrl() + QStringLiteral("whois/")});
    QTRY_COMPARE_WITH_TIMEOUT(child.state(), QProcess::NotRunning, 4 * kPatience);
    const QByteArray output = child.readAll();
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0,
             output.constData());
    QCOMPARE(https.requests(QStringLiteral("/whois/example.com")), 1);
    QCOMPARE(http.requests(QStringLiteral("/whois/example.com")), 1);

    QStringList written;
    QDirIterator it(home.path(),
                    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext())
        written << QDir(home.path()).relativeFilePath(it.next());
    // The one thing the engine writes that cannot be turned off: its certificate store
    // creates its database under HOME on the first HTTPS connection.
    for (const char *store : {".pki/nssdb/cert9.db", ".pki/nssdb/key4.db", ".pki/nssdb/pkcs11.txt",
                              ".pki/nssdb", ".pki"})
        written.removeOne(QString::fromLatin1(store));
    QVERIFY2(written.isEmpty(), qPrintable(written.join(QStringLiteral(", "))));
}

QUILLET_ENGINE_TEST_MAIN(TestEngine)
#include "tst_engine.moc"
