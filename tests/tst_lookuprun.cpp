#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"

#include "tabs/LookupAddress.h"
#include "window/FrmSearch.h"

#include <QTest>

using platform::Index;

namespace {

const QString base = QStringLiteral("http://127.0.0.1:9/whois/");

struct Window {
    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    FrmSearch window{base, QStringLiteral("qrc:/start/start.html"), RecordingBrowser::factory(log),
                     &dialogs};
    FrmSearchControls &f = window.controls();

    void useSuffixes(const QStringList &suffixes)
    {
        while (f.lstPreFixUse.ListCount() > 0)
            f.lstPreFixUse.RemoveItem(0);
        for (const QString &suffix : suffixes)
            f.lstPreFixUse.AddItem(suffix);
    }
    void lookUp(const QString &label)
    {
        f.txtLookUp.setText(label);
        window.lookupRun().cmdSearch_Click();
    }
    QStringList captions() const
    {
        QStringList all;
        for (Index i = 0; i < f.lbPreFix.Count(); ++i)
            all << f.lbPreFix(i).Caption();
        return all;
    }
};

} // namespace

class TestLookupRun : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void designedWindow();
    void lookupRun_data();
    void lookupRun();
    void newTabsJoinTheLastTabWhereItStands();
    void lookupKeepsTheSelectedTab();
    void enterInTheTextBoxLooksUp();
    void tabLimitIsReportedOnce();
    void addressKeepsTheDomainOneSegment_data();
    void addressKeepsTheDomainOneSegment();
};

void TestLookupRun::designedWindow()
{
    Window w;
    const FrmSearchControls &f = w.f;
    QCOMPARE(f.frmSearch.Caption(), QStringLiteral("Velnor - Quillet Lookup"));
    QCOMPARE(f.frmSearch.size(), QSize(691, 525));
    QCOMPARE(
        f.frmSearch.windowedOrder(),
        QStringList({"fraSetup", "cmdPreFixSetup", "browserLookup(0)", "cmdSearch", "txtLookUp"}));
    QCOMPARE(f.frmSearch.graphicalOrder(),
             QStringList({"imgRight", "imgLeft", "lbPreFix(0)", "lineRight", "lineLeft",
                          "imgCurrent(0)", "imgBG", "Label1", "imgMainBG", "imgTab(0)"}));
    QCOMPARE(f.fraSetup.panel()->windowedOrder(),
             QStringList({"cmdDone", "cmdCreateNew", "cmdRemoveAll", "cmdAddAll", "cmdRemove",
                          "cmdAdd", "lstPreFixUse", "lstPreFix"}));
    QCOMPARE(f.fraSetup.panel()->graphicalOrder(), QStringList({"Label4", "Label3", "Label2"}));
    QCOMPARE(f.lstPreFix.items(),
             QStringList({".info", ".biz", ".name", ".mobile", ".is", ".eu", ".uk.com"}));
    QCOMPARE(f.lstPreFixUse.items(), QStringList({".co.uk", ".com", ".org", ".org.uk", ".net"}));

    // The tab's pictures lie on each other; its caption is 15 twips narrower and lower.
    QCOMPARE(f.imgTab(0).pixelRect(), f.imgCurrent(0).pixelRect());
    QCOMPARE(f.imgTab(0).Width(), 1830.0f);
    QCOMPARE(f.imgTab(0).Height(), 360.0f);
    QCOMPARE(f.lbPreFix(0).Width(), 1815.0f);
    QCOMPARE(f.lbPreFix(0).Caption(), QStringLiteral("Velnor"));
    QCOMPARE(f.imgLeft.Width(), 540.0f);
    QCOMPARE(f.lineLeft.Y1(), f.imgTab(0).Top() + f.imgTab(0).Height());
    QCOMPARE(f.imgBG.Top(), f.lineRight.Y1());
    QVERIFY(!f.fraSetup.Visible());
    QCOMPARE(w.log->calls.size(), 0); // no page until start-up

    w.window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    QCOMPARE(QApplication::focusWidget(), w.f.txtLookUp.widget());
    QCOMPARE(w.log->loads(0), QStringList({"qrc:/start/start.html"}));
}

void TestLookupRun::lookupRun_data()
{
    QTest::addColumn<QStringList>("suffixes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("domains"); // every page load, by tab, in order

    QTest::newRow("three suffixes")
        << QStringList{".co.uk", ".com", ".org"} << "example" << 1
        << QStringList{".co.uk", ".com", ".org"}
        << QStringList{"0 example.co.uk", "1 example.com", "2 example.org"};
    QTest::newRow("same press again")
        << QStringList{".co.uk", ".com", ".org"} << "example" << 2
        << QStringList{".co.uk", ".com", ".org", ".com", ".org"}
        << QStringList{"0 example.co.uk", "0 example.co.uk", "1 example.com",
                       "2 example.org",   "3 example.com",   "4 example.org"};
    QTest::newRow("one suffix") << QStringList{".net"} << "example" << 1 << QStringList{".net"}
                                << QStringList{"0 example.net"};
    QTest::newRow("empty list") << QStringList{} << "example" << 1 << QStringList{"Velnor"}
                                << QStringList{};
    QTest::newRow("empty label") << QStringList{".com", ".org"} << "" << 1
                                 << QStringList{".com", ".org"} << QStringList{"0 .com", "1 .org"};
    QTest::newRow("duplicates") << QStringList{".com", ".com", ".com"} << "a" << 1
                                << QStringList{".com", ".com", ".com"}
                                << QStringList{"0 a.com", "1 a.com", "2 a.com"};
}

void TestLookupRun::lookupRun()
{
    QFETCH(QStringList, suffixes);
    QFETCH(QString, label);
    QFETCH(int, runs);
    QFETCH(QStringList, captions);
    QFETCH(QStringList, domains);

    Window w;
    w.useSuffixes(suffixes);
    for (int run = 0; run < runs; ++run)
        w.lookUp(label);

    QCOMPARE(w.captions(), captions);
    QStringList loaded;
    for (Index i = 0; i < w.f.browserLookup.Count(); ++i) {
        for (const QString &address : w.log->loads(i))
            loaded << QStringLiteral("%1 %2").arg(i).arg(address.mid(base.size()));
    }
    QCOMPARE(loaded, domains);
    // Each browser got every address through the pair, the same string twice.
    for (qsizetype i = 0; i + 1 < w.log->calls.size(); i += 3) {
        QCOMPARE(w.log->calls[i].method, QStringLiteral("Navigate"));
        QCOMPARE(w.log->calls[i + 2].method, QStringLiteral("Navigate2"));
        QCOMPARE(w.log->calls[i + 2].address, w.log->calls[i].address);
    }
    const Index count = Index(captions.size());
    for (Index i = 0; i < count; ++i) {
        QCOMPARE(w.f.imgTab(i).Left(), 840.0f + 1830.0f * i);
        QCOMPARE(w.f.lbPreFix(i).Left(), w.f.imgTab(i).Left());
        QCOMPARE(w.f.imgCurrent(i).Left(), w.f.imgTab(i).Left());
        QVERIFY(w.f.browserLookup(i).Visible());
    }
    QCOMPARE(w.f.imgCurrent.Count(), count);
    QCOMPARE(w.f.browserLookup.Count(), count);
    QCOMPARE(w.f.lstPreFixUse.ListIndex(), Index(suffixes.size() - 1));
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));
    QCOMPARE(w.f.currentTab, Index(0));
}

void TestLookupRun::newTabsJoinTheLastTabWhereItStands()
{
    Window w;
    w.useSuffixes({".a", ".b", ".c"});
    w.lookUp(QStringLiteral("x"));
    w.window.tabStripScroll().imgLeft_Click();
    QCOMPARE(w.f.imgTab(2).Left(), 2670.0f);
    w.lookUp(QStringLiteral("y"));
    QCOMPARE(w.f.imgTab(3).Left(), 2670.0f + 1830.0f);
    QCOMPARE(w.f.lbPreFix(3).Left(), 2670.0f + 1830.0f);
    QCOMPARE(w.f.imgTab(4).Left(), 2670.0f + 2 * 1830.0f);
    // A new tab is unselected and behind: its picture, then its selected-look picture, at
    // the very back; its browser behind every other.
    const QStringList order = w.f.frmSearch.graphicalOrder();
    QCOMPARE(order.mid(order.size() - 3),
             QStringList({"lbPreFix(4)", "imgTab(4)", "imgCurrent(4)"}));
    QCOMPARE(w.f.frmSearch.windowedOrder().constLast(), QStringLiteral("browserLookup(4)"));
}

void TestLookupRun::lookupKeepsTheSelectedTab()
{
    Window w;
    w.window.Show();
    w.useSuffixes({".a", ".b", ".c"});
    w.lookUp(QStringLiteral("x"));
    w.window.tabSelection().imgTab_Click(2);
    w.lookUp(QStringLiteral("x"));
    QCOMPARE(w.f.currentTab, Index(2));
    QCOMPARE(w.f.frmSearch.windowedOrder().indexOf("browserLookup(2)"),
             w.f.frmSearch.windowedOrder().indexOf("browserLookup(0)") - 1);
    // Tab 0 reloads out of sight.
    QCOMPARE(w.log->loads(0).size(), 3);
}

void TestLookupRun::enterInTheTextBoxLooksUp()
{
    Window w;
    w.window.Show();
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    QTest::keyClicks(w.f.txtLookUp.widget(), QStringLiteral("ab c"));
    QTest::keyClick(w.f.txtLookUp.widget(), Qt::Key_Return);
    QCOMPARE(w.f.imgTab.Count(), Index(5));
    QCOMPARE(w.log->loads(4), QStringList({base + "ab%20c.net"}));
}

void TestLookupRun::tabLimitIsReportedOnce()
{
    Window w;
    w.window.lookupRun().setTabLimit(4);
    w.useSuffixes({".a", ".b", ".c"});
    w.lookUp(QStringLiteral("x"));
    QVERIFY(w.dialogs.messages.isEmpty());
    w.lookUp(QStringLiteral("y"));
    QCOMPARE(w.f.imgTab.Count(), Index(4));
    QCOMPARE(w.captions(), QStringList({".a", ".b", ".c", ".b"}));
    QCOMPARE(w.dialogs.messages.size(), 1);
    QVERIFY2(w.dialogs.messages[0].startsWith("1 suffix was not looked up"),
             qPrintable(w.dialogs.messages[0]));
    w.lookUp(QStringLiteral("z"));
    QCOMPARE(w.dialogs.messages.size(), 2);
    QVERIFY(w.dialogs.messages[1].startsWith("2 suffixes were not looked up"));
    QCOMPARE(w.log->loads(0).constLast(), base + "z.a"); // the first suffix still looked up
}

void TestLookupRun::addressKeepsTheDomainOneSegment_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("domain");
    QTest::newRow("plain") << "example"
                           << ".co.uk"
                           << "example.co.uk";
    QTest::newRow("case and hyphens kept") << "Ex-Ample_1~"
                                           << ".COM"
                                           << "Ex-Ample_1~.COM";
    QTest::newRow("suffix again") << "example.com"
                                  << ".com"
                                  << "example.com.com";
    QTest::newRow("slash") << "a/b"
                           << ".com"
                           << "a%2Fb.com";
    QTest::newRow("query") << "a?b=1"
                           << ".com"
                           << "a%3Fb=1.com";
    QTest::newRow("fragment") << "a#b"
                              << ".com"
                              << "a%23b.com";
    QTest::newRow("percent") << "a%2Fb"
                             << ".com"
                             << "a%252Fb.com";
    QTest::newRow("backslash") << "a\\b"
                               << ".com"
                               << "a%5Cb.com";
    QTest::newRow("spaces kept, encoded") << " a b "
                                          << ".com"
                                          << "%20a%20b%20.com";
    QTest::newRow("control characters") << "a\tb\nc" << QString(QChar(0x7f)) << "a%09b%0Ac%7F";
    QTest::newRow("other ASCII as typed") << "a:b@c!$&'()*+,;="
                                          << ".com"
                                          << "a:b@c!$&'()*+,;=.com";
    QTest::newRow("non-ASCII as UTF-8")
        << QString::fromUtf8("bücher") << QString::fromUtf8(".рф") << "b%C3%BCcher.%D1%80%D1%84";
    QTest::newRow("slash in the suffix") << "a"
                                         << "/.com"
                                         << "a%2F.com";
    QTest::newRow("empty") << ""
                           << ""
                           << "";
}

void TestLookupRun::addressKeepsTheDomainOneSegment()
{
    QFETCH(QString, label);
    QFETCH(QString, suffix);
    QFETCH(QString, domain);
    const QString address = lookupAddress(base, label, suffix);
    QCOMPARE(address, base + domain);
    // A URL parser sees the service's path followed by exactly one segment: nothing moves
    // into the query or fragment, and decoding gives back what was typed.
    const QUrl url(address);
    QVERIFY(url.isValid());
    QVERIFY(!url.hasQuery());
    QVERIFY(!url.hasFragment());
    const QString path = url.path(QUrl::FullyEncoded);
    QCOMPARE(path.section(QLatin1Char('/'), 0, 1), QStringLiteral("/whois"));
    QCOMPARE(QUrl::fromPercentEncoding(path.section(QLatin1Char('/'), 2).toUtf8()), label + suffix);
}

QTEST_MAIN(TestLookupRun)
#include "tst_lookuprun.moc"
