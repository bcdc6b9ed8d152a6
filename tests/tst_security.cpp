#include "StubWebServer.h"

#include "platform/BrowserPage.h"
#include "platform/BrowserProfile.h"
#include "platform/WebEngineBrowser.h"
#include "window/FrmSearch.h"

#include <QDesktopServices>
#include <QDirIterator>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineDownloadRequest>
#include <QWebEngineFindTextResult>
#include <QWebEngineView>

#include <algorithm>

using platform::Index;

namespace {

constexpr int kPatience = 60000;

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

// A private X server for the program, so that it draws with OpenGL as on a desktop and the
// shader caches come into play: offscreen, they never do.
class PrivateDisplay {
public:
    PrivateDisplay()
    {
        const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
        if (xvfb.isEmpty())
            return;
        m_server.start(xvfb,
                       {"-displayfd", "1", "-nolisten", "tcp", "-screen", "0", "1024x768x24"});
        if (QTest::qWaitFor([&] { return m_server.canReadLine(); }, kPatience))
            m_name = QStringLiteral(":") + QString::fromLatin1(m_server.readLine().trimmed());
    }
    ~PrivateDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished();
    }
    // Empty when there is no Xvfb.
    QString name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

QVariant runScript(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kPatience))
        qWarning("no answer from the page to: %s", qPrintable(script));
    return result;
}

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

// What a page from the internet can do to the user, and what it cannot.
class TestSecurity : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void hostilePageGetsNothing();
    void lookupLeavesHomeEmpty();
};

void TestSecurity::hostilePageGetsNothing()
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

    platform::BrowserProfile profile;
    const QString downloaded =
        QDir(profile.downloadPath()).filePath(QStringLiteral("quillet-test.bin"));
    QFile::remove(downloaded);
    QList<QPointer<QWebEngineDownloadRequest>> downloads;
    connect(&profile, &QWebEngineProfile::downloadRequested, this,
            [&](QWebEngineDownloadRequest *d) { downloads << d; });

    const QString base = home.rootUrl() + QStringLiteral("whois/");
    const QString start = QStringLiteral("qrc:/start/start.html");
    FrmSearch window(base, start,
                     platform::WebEngineBrowser::factory(&profile, {QUrl(base), QUrl(start)}));
    FrmSearchControls &f = window.controls();
    QWebEngineView *view = static_cast<platform::WebEngineBrowser &>(f.browserLookup(0)).view();
    QWebEnginePage *page = view->page();
    const auto log = [&] {
        return runScript(page, QStringLiteral("document.getElementById('log').textContent"))
            .toString();
    };
    const auto click = [&](const QString &id, int dy = 0) {
        const QJsonObject r =
            QJsonDocument::fromJson(
                runScript(
                    page,
                    QStringLiteral(
                        "JSON.stringify(document.getElementById('%1').getBoundingClientRect())")
                        .arg(id))
                    .toString()
                    .toUtf8())
                .object();
        const QPoint at(int(r.value(u"x").toDouble()) + 20,
                        int(r.value(u"y").toDouble()) + 10 + dy);
        QTest::mouseMove(view->focusProxy(), at);
        QTest::mouseClick(view->focusProxy(), Qt::LeftButton, {}, at);
    };

    WindowWatch watch(&f.frmSearch);
    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.frmSearch));
    // The bundled start page still works without access to local files.
    QTRY_COMPARE_WITH_TIMEOUT(page->title(), QStringLiteral("Quillet Lookup"), kPatience);

    while (f.lstPreFixUse.ListCount() > 1)
        f.lstPreFixUse.RemoveItem(1);
    f.lstPreFixUse.RemoveItem(0);
    f.lstPreFixUse.AddItem(QStringLiteral(".com"));
    f.txtLookUp.setText(QStringLiteral("evil"));
    window.lookupRun().cmdSearch_Click();
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"timers:done"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"ad:loaded"), kPatience);

    // What the page tried on its own, without the user: nothing got through.
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"notifications:denied"), kPatience);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"geolocation:denied"), kPatience);
    QVERIFY2(log().contains(u"popup:blocked"), qPrintable(log()));
    QCOMPARE(page->url(), QUrl(base + QStringLiteral("evil.com")));
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
    // Straight after a click in the page, clicks in the ad frame must open nothing either.
    click(QStringLiteral("ad"));
    click(QStringLiteral("ad"), 50);
    QTRY_VERIFY_WITH_TIMEOUT(log().contains(u"ad:top") && log().contains(u"ad:blank"), kPatience);
    QTest::qWait(2000);
    QCOMPARE(desktop.opened.size(), 2);
    QCOMPARE(page->url(), QUrl(base + QStringLiteral("evil.com")));
    QCOMPARE(away.requests(QStringLiteral("/ad-top")) + away.requests(QStringLiteral("/ad-blank")) +
                 away.requests(QStringLiteral("/ad-popup")) +
                 away.requests(QStringLiteral("/popup")),
             0);
    QVERIFY(!downloads.first() ||
            downloads.first()->state() != QWebEngineDownloadRequest::DownloadCompleted);
    QVERIFY(!QFile::exists(downloaded));
    QCOMPARE(watch.seen, QStringList());

    // The program still moves the tab on, whatever the page objects; a service that sends
    // the lookup to another site gets a notice, not the other site.
    f.txtLookUp.setText(QStringLiteral("hop"));
    window.lookupRun().cmdSearch_Click();
    QTRY_COMPARE_WITH_TIMEOUT(page->title(), QStringLiteral("Sent elsewhere"), kPatience);
    QCOMPARE(away.requests(QStringLiteral("/landed")), 0);
    const QWidgetList windows = QApplication::topLevelWidgets();
    QCOMPARE(
        std::count_if(windows.cbegin(), windows.cend(), [](QWidget *w) { return w->isVisible(); }),
        1);
}

void TestSecurity::lookupLeavesHomeEmpty()
{
    StubWebServer http(&StubWebServer::titledPage);
    StubWebServer https(&StubWebServer::titledPage, StubWebServer::loopbackTls());
    QTemporaryDir home;
    QTemporaryDir runtime;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The program must keep its shader caches off by itself.
    env.remove(QStringLiteral("QT_DISABLE_SHADER_DISK_CACHE"));
    env.remove(QStringLiteral("MESA_SHADER_CACHE_DISABLE"));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral(".config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), home.filePath(QStringLiteral(".cache")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral(".local/share")));
    env.insert(QStringLiteral("XDG_STATE_HOME"), home.filePath(QStringLiteral(".local/state")));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    PrivateDisplay display;
    if (display.name().isEmpty()) {
        qWarning("No Xvfb: the program runs offscreen, where it never uses the shader caches");
    } else {
        env.insert(QStringLiteral("DISPLAY"), display.name());
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    }
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

QTEST_MAIN(TestSecurity)
#include "tst_security.moc"
