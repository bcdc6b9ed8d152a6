#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"

#include "window/FrmSearch.h"

#include <QTest>
#include <QWindow>

#include <cmath>

using platform::Index;

namespace {

const QString startPage = QStringLiteral("qrc:/start/start.html");

struct Window {
    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    FrmSearch window{QStringLiteral("http://127.0.0.1:9/whois/"), startPage,
                     RecordingBrowser::factory(log), &dialogs};
    FrmSearchControls &f = window.controls();

    // Started and shown at a normal size, with `tabs` result tabs.
    explicit Window(int tabs = 1)
    {
        window.Show();
        f.frmSearch.showNormal();
        if (tabs > 1)
            lookUp(tabs);
    }
    // A lookup that leaves `tabs` result tabs (or adds tabs - 1 more).
    void lookUp(int tabs)
    {
        while (f.lstPreFixUse.ListCount() > 0)
            f.lstPreFixUse.RemoveItem(0);
        for (int i = 0; i < tabs; ++i)
            f.lstPreFixUse.AddItem(QStringLiteral(".s%1").arg(i));
        f.txtLookUp.setText(QStringLiteral("example"));
        window.lookupRun().cmdSearch_Click();
    }
    bool exposedAt(QSize client = {691, 525})
    {
        return QTest::qWaitForWindowExposed(&f.frmSearch) && resize(client);
    }
    bool resize(QSize client)
    {
        f.frmSearch.resize(client);
        return QTest::qWaitFor([&] { return f.frmSearch.size() == client; });
    }
    // W and H: the outer size, with whatever frame the platform reports.
    QSizeF outerTwips() const
    {
        const QSize outer = f.frmSearch.size().grownBy(f.frmSearch.windowHandle()->frameMargins());
        return QSizeF(outer) * 15;
    }
    QList<float> tabLefts() const
    {
        QList<float> lefts;
        for (Index i = 0; i < f.imgTab.Count(); ++i)
            lefts << f.imgTab(i).Left();
        return lefts;
    }
    // Everything the strip's state is made of.
    QString strip() const
    {
        QStringList parts;
        for (Index i = 0; i < f.imgTab.Count(); ++i)
            parts << QStringLiteral("%1/%2/%3")
                         .arg(f.imgTab(i).Left())
                         .arg(f.lbPreFix(i).Left())
                         .arg(f.imgCurrent(i).Left());
        parts << QStringLiteral("lines %1 %2").arg(f.lineLeft.X1()).arg(f.lineRight.X1());
        parts << QStringLiteral("current %1").arg(f.currentTab);
        return parts.join(QLatin1Char(' ')) + QLatin1Char('\n') +
               f.frmSearch.graphicalOrder().join(QLatin1Char(',')) + QLatin1Char('\n') +
               f.frmSearch.windowedOrder().join(QLatin1Char(','));
    }
    QPoint tabPicture(Index i) const // on the picture, clear of its caption
    {
        return f.imgTab(i).pixelRect().topLeft() + QPoint(20, 5);
    }
    QPoint tabCaption(Index i) const { return f.lbPreFix(i).pixelRect().center(); }
    void click(QPoint at) { QTest::mouseClick(f.frmSearch.windowHandle(), Qt::LeftButton, {}, at); }
};

} // namespace

class TestTabStrip : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startUpSelectsTabZeroThenLoads();
    void selectionOrdersLayersAndLines();
    void scrollingSequence();
    void scrollLimits_data();
    void scrollLimits();
    void captionsStayOnTheirTabs();
    void clicksThroughTheWindow();
    void resizeLayout_data();
    void resizeLayout();
    void resizeCoversEveryBrowser();
    void selectedTabIsDrawnOpen();
};

void TestTabStrip::startUpSelectsTabZeroThenLoads()
{
    Window w;
    QVERIFY(w.exposedAt());
    QCOMPARE(w.f.currentTab, Index(0));
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);
    // Selecting tab 0 leaves the designed order: its selected picture in front of the other.
    QCOMPARE(w.f.frmSearch.graphicalOrder(),
             QStringList({"imgRight", "imgLeft", "lbPreFix(0)", "lineRight", "lineLeft",
                          "imgCurrent(0)", "imgBG", "Label1", "imgMainBG", "imgTab(0)"}));
    // One page load through the pair, the start page, once however often the window shows.
    w.window.Show();
    const QList<BrowserLog::Call> calls = {
        {0, "Navigate", startPage}, {0, "load", startPage}, {0, "Navigate2", startPage}};
    QCOMPARE(w.log->calls, calls);
}

void TestTabStrip::selectionOrdersLayersAndLines()
{
    Window w(3);
    QVERIFY(w.exposedAt());
    const qsizetype loads = w.log->calls.size();

    w.window.tabSelection().imgTab_Click(2);
    QCOMPARE(w.f.currentTab, Index(2));
    QCOMPARE(w.f.lineLeft.X1(), 4500.0f);
    QCOMPARE(w.f.lineRight.X1(), 6330.0f);
    // Arrows, then captions and unselected pictures (later tabs nearer the front), then the
    // rest as it was, and the selected tab's unselected picture behind its selected one.
    QCOMPARE(
        w.f.frmSearch.graphicalOrder(),
        QStringList({"imgRight", "imgLeft", "lbPreFix(2)", "lbPreFix(1)", "imgTab(1)",
                     "lbPreFix(0)", "imgTab(0)", "lineRight", "lineLeft", "imgCurrent(0)", "imgBG",
                     "Label1", "imgMainBG", "imgCurrent(1)", "imgCurrent(2)", "imgTab(2)"}));
    QCOMPARE(w.f.frmSearch.windowedOrder(),
             QStringList({"browserLookup(2)", "browserLookup(0)", "fraSetup", "cmdPreFixSetup",
                          "cmdSearch", "txtLookUp", "browserLookup(1)"}));
    const QPoint page = w.f.browserLookup(0).pixelRect().center();
    QCOMPARE(w.f.frmSearch.childAt(page), w.f.browserLookup(2).widget());

    // Selecting it again, through its caption, changes nothing; no page reloads.
    const QString selected = w.strip();
    w.window.tabSelection().lbPreFix_Click(2);
    QCOMPARE(w.strip(), selected);

    w.window.tabSelection().lbPreFix_Click(0);
    QCOMPARE(w.f.currentTab, Index(0));
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);
    QCOMPARE(w.f.frmSearch.childAt(page), w.f.browserLookup(0).widget());
    QCOMPARE(w.log->calls.size(), loads);
}

void TestTabStrip::scrollingSequence()
{
    Window w(3);
    TabStripScroll &scroll = w.window.tabStripScroll();
    using Lefts = QList<float>;
    const struct {
        bool left;
        Lefts lefts;
    } steps[] = {
        {true, {-990, 840, 2670}},  {true, {-2820, -990, 840}}, {true, {-2820, -990, 840}},
        {false, {-990, 840, 2670}}, {false, {840, 2670, 4500}}, {false, {840, 2670, 4500}},
    };
    for (const auto &step : steps) {
        step.left ? scroll.imgLeft_Click() : scroll.imgRight_Click();
        QCOMPARE(w.tabLefts(), step.lefts);
        // The selected tab keeps its gap in the base line wherever it stands, even under an
        // arrow or beyond the window.
        QCOMPARE(w.f.currentTab, Index(0));
        QCOMPARE(w.f.lineLeft.X1(), step.lefts[0]);
        QCOMPARE(w.f.lineRight.X1(), step.lefts[0] + 1830);
    }
    w.window.tabSelection().imgTab_Click(1);
    scroll.imgLeft_Click();
    QCOMPARE(w.f.currentTab, Index(1));
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));
    QCOMPARE(w.f.frmSearch.graphicalOrder().constLast(), QStringLiteral("imgTab(1)"));
}

void TestTabStrip::scrollLimits_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<bool>("left");
    QTest::addColumn<float>("testedLeft"); // the last tab's for the left arrow, else tab 0's
    QTest::addColumn<float>("arrowLeft");  // imgLeft.Left, from which both limits count
    QTest::addColumn<bool>("shifts");

    const float limitL = 540 + 120 + 270.0f;
    const float limitR = 540 + 120 + 120.0f;
    QTest::newRow("one tab, left") << 1 << true << 840.0f << 120.0f << false;
    QTest::newRow("one tab, right") << 1 << false << 840.0f << 120.0f << false;
    QTest::newRow("last tab on the left limit") << 2 << true << limitL << 120.0f << false;
    QTest::newRow("last tab just past it")
        << 2 << true << std::nextafter(limitL, 1e9f) << 120.0f << true;
    QTest::newRow("tab 0 on the right limit") << 2 << false << limitR << 120.0f << false;
    QTest::newRow("tab 0 just short of it")
        << 2 << false << std::nextafter(limitR, 0.0f) << 120.0f << true;
    QTest::newRow("left arrow moved left") << 1 << true << 840.0f << 0.0f << true;
    QTest::newRow("left arrow moved right") << 1 << false << 840.0f << 300.0f << true;
}

void TestTabStrip::scrollLimits()
{
    QFETCH(int, tabs);
    QFETCH(bool, left);
    QFETCH(float, testedLeft);
    QFETCH(float, arrowLeft);
    QFETCH(bool, shifts);

    Window w(tabs);
    w.f.imgLeft.setLeft(arrowLeft);
    w.f.imgTab(left ? Index(tabs - 1) : Index(0)).setLeft(testedLeft);
    // Sent back so that a selection would show: at a limit not even that happens.
    w.f.imgRight.ZOrder(1);
    const QString before = w.strip();
    const QList<float> lefts = w.tabLefts();

    left ? w.window.tabStripScroll().imgLeft_Click() : w.window.tabStripScroll().imgRight_Click();
    if (!shifts) {
        QCOMPARE(w.strip(), before);
        return;
    }
    for (qsizetype i = 0; i < lefts.size(); ++i)
        QCOMPARE(w.tabLefts()[i], lefts[i] + (left ? -1830.0f : 1830.0f));
    QCOMPARE(w.f.frmSearch.graphicalOrder().constFirst(), QStringLiteral("imgRight"));
}

void TestTabStrip::captionsStayOnTheirTabs()
{
    Window w(3);
    TabStripScroll &scroll = w.window.tabStripScroll();
    const auto aligned = [&] {
        for (Index i = 0; i < w.f.imgTab.Count(); ++i) {
            if (w.f.lbPreFix(i).Left() != w.f.imgTab(i).Left() ||
                w.f.imgCurrent(i).Left() != w.f.imgTab(i).Left())
                return false;
        }
        return true;
    };
    scroll.imgLeft_Click();
    QVERIFY(aligned());
    w.lookUp(3); // two more tabs, made while the strip stands one tab to the left
    QCOMPARE(w.f.imgTab.Count(), Index(5));
    for (const bool left : {true, true, true, false, false, false, false, true, false, false})
        left ? scroll.imgLeft_Click() : scroll.imgRight_Click();
    QCOMPARE(w.tabLefts(), QList<float>({840, 2670, 4500, 6330, 8160}));
    QVERIFY(aligned());
}

void TestTabStrip::clicksThroughTheWindow()
{
    Window w(3);
    QVERIFY(w.exposedAt());

    w.click(w.tabPicture(1));
    QCOMPARE(w.f.currentTab, Index(1));
    w.click(w.tabCaption(2));
    QCOMPARE(w.f.currentTab, Index(2));

    // The selected tab's own picture takes no clicks: not even the arrows are raised.
    w.f.imgLeft.ZOrder(1);
    const QString selected = w.strip();
    w.click(w.tabPicture(2));
    QCOMPARE(w.strip(), selected);
    w.click(w.tabCaption(2)); // its caption selects it again
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));

    // Tab 0 ends up under the left arrow, which still takes the clicks there; a double-click
    // shifts once.
    const QPoint leftArrow = w.f.imgLeft.pixelRect().center();
    w.click(leftArrow);
    QCOMPARE(w.tabLefts(), QList<float>({-990, 840, 2670}));
    QTest::mouseDClick(w.f.frmSearch.windowHandle(), Qt::LeftButton, {}, leftArrow);
    QCOMPARE(w.tabLefts(), QList<float>({-2820, -990, 840}));
    w.click(w.f.imgRight.pixelRect().center());
    QCOMPARE(w.tabLefts(), QList<float>({-990, 840, 2670}));
    QCOMPARE(w.f.currentTab, Index(2));
}

void TestTabStrip::resizeLayout_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("narrow"); // W < 360: no browser width
    QTest::addColumn<bool>("low");    // H < 2080: no browser height
    QTest::newRow("designed size") << QSize(691, 525) << false << false;
    QTest::newRow("large") << QSize(1200, 900) << false << false;
    QTest::newRow("narrower than a browser's margin") << QSize(4, 400) << true << false;
    QTest::newRow("lower than the browsers' top") << QSize(500, 100) << false << true;
    QTest::newRow("tiny") << QSize(4, 4) << true << true;
}

void TestTabStrip::resizeLayout()
{
    QFETCH(QSize, client);
    QFETCH(bool, narrow);
    QFETCH(bool, low);

    Window w;
    const QSize previous(600, 450);
    QVERIFY(w.exposedAt(previous));
    const float keptWidth = w.f.browserLookup(0).Width();
    const float keptHeight = w.f.browserLookup(0).Height();
    QCOMPARE(keptWidth, float(w.outerTwips().width() - 360));
    w.f.imgLeft.ZOrder(1);
    w.f.imgRight.ZOrder(1);

    QVERIFY(w.resize(client));
    const float W = w.outerTwips().width();
    const float H = w.outerTwips().height();
    QCOMPARE(W < 360, narrow);
    QCOMPARE(H < 2080, low);
    const platform::Control &browser = w.f.browserLookup(0);
    // A size the browser cannot take is skipped; every other step still runs, the height
    // of the browser whose width was refused too.
    QCOMPARE(browser.Width(), narrow ? keptWidth : W - 360);
    QCOMPARE(browser.Height(), low ? keptHeight : H - 2080);
    QCOMPARE(w.f.imgRight.Left() + w.f.imgRight.Width(), W - 240);
    QCOMPARE(w.f.imgBG.Width(), W);
    QCOMPARE(w.f.imgBG.Height(), H);
    QCOMPARE(w.f.lineRight.X2(), W);
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);
    QCOMPARE(w.f.fraSetup.Width(), W);
    QCOMPARE(w.f.fraSetup.Height(), H);
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));
    // What stays put.
    QCOMPARE(browser.Left(), 120.0f);
    QCOMPARE(browser.Top(), 1440.0f);
    QCOMPARE(w.f.imgLeft.Left(), 120.0f);
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.imgMainBG.Width(), 1050.0f);

    // Minimising runs the layout as well, and restoring puts everything back.
    w.f.imgRight.setLeft(0);
    w.f.frmSearch.setWindowState(Qt::WindowMinimized);
    QVERIFY(w.f.imgRight.Left() != 0);
    w.f.imgRight.setLeft(0);
    w.f.frmSearch.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(w.f.imgRight.Left() + w.f.imgRight.Width(), w.outerTwips().width() - 240);
}

void TestTabStrip::resizeCoversEveryBrowser()
{
    Window w;
    QVERIFY(w.exposedAt({700, 500}));
    const QSizeF first = w.outerTwips();
    // Browsers that a lookup makes start with browser 0's size, as the last resize left it.
    w.lookUp(4);
    for (Index i = 1; i < 4; ++i) {
        QCOMPARE(w.f.browserLookup(i).Width(), float(first.width() - 360));
        QCOMPARE(w.f.browserLookup(i).Height(), float(first.height() - 2080));
    }
    // One browser standing lower still gets its height from browser 0's top.
    w.f.browserLookup(3).setTop(3000);
    w.window.suffixPanel().cmdPreFixSetup_Click();
    QVERIFY(w.resize({900, 640}));
    const QSizeF outer = w.outerTwips();
    for (Index i = 0; i < 4; ++i) {
        QCOMPARE(w.f.browserLookup(i).Width(), float(outer.width() - 360));
        QCOMPARE(w.f.browserLookup(i).Height(), float(outer.height() - 2080));
    }
    // The open setup panel stays open and covers the window.
    QVERIFY(w.f.fraSetup.Visible());
    QCOMPARE(w.f.fraSetup.pixelRect(), QRect(QPoint(0, 0), outer.toSize() / 15));
}

void TestTabStrip::selectedTabIsDrawnOpen()
{
    Window w(3);
    QVERIFY(w.exposedAt());
    w.window.tabSelection().imgTab_Click(1);
    const QImage shot = w.f.frmSearch.grab().toImage();
    const QColor text = w.f.frmSearch.palette().color(QPalette::WindowText);
    const QColor light(0xC0, 0xCF, 0xFA);
    const QColor mid(0x89, 0xA4, 0xF3);

    for (Index i = 0; i < 3; ++i) {
        const QRect tab = w.f.imgTab(i).pixelRect();
        for (const QPoint at : {tab.topLeft() + QPoint(20, 6), tab.topRight() + QPoint(-20, 6)})
            QCOMPARE(shot.pixelColor(at), i == 1 ? light : mid);
    }
    // The base line, 2 pixels on the rows either side of y = 88 (1320 twips), runs from the
    // window's left edge to its right, broken exactly under the selected tab, where the tab
    // runs into the light area below.
    const QRect selected = w.f.imgTab(1).pixelRect();
    QCOMPARE(selected.bottom() + 1, 88);
    for (int x = 0; x < shot.width(); ++x) {
        const bool gap = x >= selected.left() && x <= selected.right();
        if (shot.pixelColor(x, 88) != (gap ? light : text))
            QFAIL(qPrintable(QStringLiteral("base line wrong at x = %1").arg(x)));
    }
    for (const int x : {0, shot.width() - 1}) {
        QCOMPARE(shot.pixelColor(x, 87), text);
        QCOMPARE(shot.pixelColor(x, 89), light);
        QVERIFY(shot.pixelColor(x, 86) != text);
    }
}

QTEST_MAIN(TestTabStrip)
#include "tst_tabstrip.moc"
