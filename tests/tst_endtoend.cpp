#include "StubWebServer.h"

#include "platform/BrowserProfile.h"
#include "platform/WebEngineBrowser.h"
#include "window/FrmSearch.h"

#include <QPushButton>
#include <QTest>
#include <QWebEngineView>

using platform::Index;

// The real engine against a loopback service: what a user sees after "Look up".
class TestEndToEnd : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void lookupShowsEachSuffixPage();
};

void TestEndToEnd::lookupShowsEachSuffixPage()
{
    StubWebServer server(&StubWebServer::titledPage);
    // Set up as the program sets itself up.
    platform::BrowserProfile profile;
    const QString base = server.rootUrl() + QStringLiteral("whois/");
    const QString start = QStringLiteral("qrc:/start/start.html");
    FrmSearch window(base, start,
                     platform::WebEngineBrowser::factory(&profile, {QUrl(base), QUrl(start)}));
    FrmSearchControls &f = window.controls();
    const auto title = [&f](Index i) {
        return static_cast<platform::WebEngineBrowser &>(f.browserLookup(i)).view()->title();
    };

    window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&f.frmSearch));
    QTRY_COMPARE_WITH_TIMEOUT(title(0), QStringLiteral("Quillet Lookup"), 60000);

    while (f.lstPreFixUse.ListCount() > 3)
        f.lstPreFixUse.RemoveItem(3);
    QTest::keyClicks(f.txtLookUp.widget(), QStringLiteral("example"));
    QTest::mouseClick(f.cmdSearch.widget(), Qt::LeftButton);
    QCOMPARE(f.imgTab.Count(), Index(3));

    const QStringList domains = {"example.co.uk", "example.com", "example.org"};
    for (Index i = 0; i < 3; ++i)
        QTRY_COMPARE_WITH_TIMEOUT(title(i), QStringLiteral("/whois/") + domains[i], 60000);
    // Give a second request, if any were made, the time to arrive.
    QTest::qWait(500);
    for (const QString &domain : domains)
        QCOMPARE(server.requests(QStringLiteral("/whois/") + domain), 1);
    const auto pageRequests = [&server] {
        return server.totalRequests() - server.requests(QStringLiteral("/favicon.ico"));
    };
    QCOMPARE(pageRequests(), 3);

    // Selecting a tab shows its page without loading it again.
    window.tabSelection().imgTab_Click(2);
    QTest::qWait(200);
    QCOMPARE(title(2), QStringLiteral("/whois/example.org"));
    QCOMPARE(pageRequests(), 3);
}

QTEST_MAIN(TestEndToEnd)
#include "tst_endtoend.moc"
