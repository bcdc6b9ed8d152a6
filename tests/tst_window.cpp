#include "WindowFixture.h"

#include "tabs/LookupAddress.h"

#include "platform/accessibility/ContainerAccessible.h"

#if LOOKUP_DNS_HINTS
#include "LoopbackDns.h"
#include "SignedDnsChain.h"
#include "platform/dns/DnsResolver.h"
#include "tabs/DnsReading.h"
#include "tabs/ResultsCopy.h"
#include "tabs/TabRecords.h"
#include "tabs/TabVerdict.h"
#if LOOKUP_RDAP
#include "LoopbackRegistry.h"
#include "platform/rdap/RdapClient.h"
#endif
#endif

#include <QClipboard>
#include <QContextMenuEvent>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QTextDocument>
#include <QToolTip>

#include <cmath>
#include <map>
#include <optional>

using platform::CommandButton;
using platform::ContainerAccessible;
using platform::Index;
using platform::ListBox;

namespace {

const QStringList kAvailable = {".info", ".biz", ".name", ".mobile", ".is", ".eu", ".uk.com"};
const QStringList kInUse = {".co.uk", ".com", ".org", ".org.uk", ".net"};

QStringList without(QStringList list, const QString &entry)
{
    list.removeOne(entry);
    return list;
}

// Everything the tab strip's state is made of: places, lines, selection and both layers.
QString strip(const FrmSearchControls &f)
{
    QStringList parts;
    for (Index i = 0; i < f.imgTab.Count(); ++i)
        parts << QStringLiteral("%1/%2/%3")
                     .arg(f.imgTab(i).Left())
                     .arg(f.lbPreFix(i).Left())
                     .arg(f.imgCurrent(i).Left());
    parts << QStringLiteral("lines %1 %2 current %3")
                 .arg(f.lineLeft.X1())
                 .arg(f.lineRight.X1())
                 .arg(f.currentTab);
    return parts.join(u' ') + u'\n' + f.frmSearch.graphicalOrder().join(u',') + u'\n' +
           f.frmSearch.windowedOrder().join(u',');
}

// Clicks a button as a user does; it must be there to be clicked.
void click(CommandButton &button)
{
    QVERIFY2(button.widget()->isVisible(), qPrintable(button.name() + " is hidden"));
    QTest::mouseClick(button.widget(), Qt::LeftButton);
}

// Clicks an entry of a list; -1 clicks the empty space below the last entry.
void clickEntry(ListBox &list, Index row)
{
    auto *view = qobject_cast<QListWidget *>(list.widget());
    QVERIFY(view && view->isVisible() && row < view->count());
    const QPoint at = row >= 0 ? view->visualItemRect(view->item(row)).center()
                               : QPoint(10, view->viewport()->height() - 5);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
}

} // namespace

// The window's handlers, driven as a user drives them, on browsers that only record.
class TestWindow : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Start-up, lookup run and result tab creation.
    void lookupRun_data();
    void lookupRun();
    void tabLimitIsReportedOnce();
    void addressKeepsTheDomainOneSegment_data();
    void addressKeepsTheDomainOneSegment();
    // Tab selection and the tab strip.
    void selectionOrdersLayersAndLines();
    void scrollLimits_data();
    void scrollLimits();
    void manyClicksAtOnce_data();
    void manyClicksAtOnce();
    void captionsStayOnTheirTabs();
    void clicksThroughTheWindow();
    void keysAndWheelEndInTheHandlers();
    void tabsSayWhatTheyHold();
    void resizeLayout_data();
    void resizeLayout();
    // The setup panel and its lists.
    void moveEntries_data();
    void moveEntries();
    void createNew_data();
    void createNew();
    void fullListKeepsTheEntry();
    void panelLiesInFrontOfEveryBrowser();
    void focusFollowsWhatIsShown();
#if LOOKUP_DNS_HINTS
    // DNS hints on the result tabs.
    void dnsAnswersReadAgainstTheirZone_data();
    void dnsAnswersReadAgainstTheirZone();
    void dnsHintsFollowTheirTabs_data();
    void dnsHintsFollowTheirTabs();
    void dnsHintsThroughALoopbackResolver_data();
    void dnsHintsThroughALoopbackResolver();
    void dnsSecThroughARealResolver_data();
    void dnsSecThroughARealResolver();
#if LOOKUP_RDAP
    // Registry records beside DNS.
    void verdictsCombineTheSources_data();
    void verdictsCombineTheSources();
    void registryRecordsFollowTheirTabs();
    void resultsCopyAsATable();
#endif
    void verdictsAreAnnounced();
#endif
};

void TestWindow::lookupRun_data()
{
    QTest::addColumn<QStringList>("suffixes");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("runs");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<QStringList>("domains"); // every page load, by tab, in order

    const QStringList three = {".co.uk", ".com", ".org"};
    QTest::newRow("three suffixes")
        << three << "example" << 1 << three
        << QStringList{"0 example.co.uk", "1 example.com", "2 example.org"};
    QTest::newRow("same press again")
        << three << "example" << 2 << three + QStringList{".com", ".org"}
        << QStringList{"0 example.co.uk", "0 example.co.uk", "1 example.com",
                       "2 example.org",   "3 example.com",   "4 example.org"};
    QTest::newRow("empty list") << QStringList{} << "example" << 1 << QStringList{"Velnor"}
                                << QStringList{};
    QTest::newRow("empty label") << QStringList{".com", ".org"} << "" << 1
                                 << QStringList{".com", ".org"} << QStringList{"0 .com", "1 .org"};
    QTest::newRow("duplicates") << QStringList{".com", ".com"} << "a" << 1
                                << QStringList{".com", ".com"} << QStringList{"0 a.com", "1 a.com"};
}

void TestWindow::lookupRun()
{
    QFETCH(QStringList, suffixes);
    QFETCH(QString, label);
    QFETCH(int, runs);
    QFETCH(QStringList, captions);

    WindowFixture w;
    w.useSuffixes(suffixes);
    for (int run = 0; run < runs; ++run)
        w.lookUp(label);

    QCOMPARE(w.captions(), captions);
    QStringList loaded;
    for (Index i = 0; i < w.f.browserLookup.Count(); ++i) {
        for (const QString &address : w.log->loads(i))
            loaded << QStringLiteral("%1 %2").arg(i).arg(address.mid(w.base.size()));
    }
    QTEST(loaded, "domains");
    for (Index i = 0; i < Index(captions.size()); ++i) {
        QCOMPARE(w.f.imgTab(i).Left(), 840.0f + 1830.0f * i);
        QCOMPARE(w.f.lbPreFix(i).Left(), w.f.imgTab(i).Left());
        QCOMPARE(w.f.imgCurrent(i).Left(), w.f.imgTab(i).Left());
        QVERIFY(w.f.browserLookup(i).Visible());
    }
    QCOMPARE(w.f.browserLookup.Count(), Index(captions.size()));
    QCOMPARE(w.f.lstPreFixUse.ListIndex(), Index(suffixes.size() - 1));
    QCOMPARE(w.f.currentTab, Index(0));
}

void TestWindow::tabLimitIsReportedOnce()
{
    WindowFixture w;
    w.window.lookupRun().setTabLimit(4);
    w.useSuffixes({".a", ".b", ".c"});
    w.lookUp(QStringLiteral("x"));
    QVERIFY(w.dialogs.messages.isEmpty());
    w.lookUp(QStringLiteral("y"));
    QCOMPARE(w.captions(), QStringList({".a", ".b", ".c", ".b"}));
    w.lookUp(QStringLiteral("z"));
    QCOMPARE(w.dialogs.messages.size(), 2);
    QVERIFY(w.dialogs.messages[0].startsWith("1 suffix was not looked up"));
    QVERIFY(w.dialogs.messages[1].startsWith("2 suffixes were not looked up"));
    QCOMPARE(w.log->loads(0).constLast(), w.base + "z.a"); // the first suffix still looked up
}

void TestWindow::addressKeepsTheDomainOneSegment_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("domain");
    const auto row = [](const char *name, const QString &label, const QString &suffix,
                        const char *domain) {
        QTest::newRow(name) << label << suffix << QString::fromLatin1(domain);
    };
    row("plain", "example", ".co.uk", "example.co.uk");
    row("case and hyphens kept", "Ex-Ample_1~", ".COM", "Ex-Ample_1~.COM");
    row("slash", "a/b", ".com", "a%2Fb.com");
    row("query", "a?b=1", ".com", "a%3Fb=1.com");
    row("fragment", "a#b", ".com", "a%23b.com");
    row("percent", "a%2Fb", ".com", "a%252Fb.com");
    row("backslash", "a\\b", ".com", "a%5Cb.com");
    row("spaces inside", "a b", ".com", "a%20b.com");
    row("control characters", "a\tb\nc", QString(QChar(0x7f)), "a%09b%0Ac%7F");
    row("other ASCII as typed", "a:b@c!$&'()*+,;=", ".com", "a:b@c!$&'()*+,;=.com");
    row("non-ASCII as UTF-8", QString::fromUtf8("bücher"), QString::fromUtf8(".рф"),
        "b%C3%BCcher.%D1%80%D1%84");
    row("empty", "", "", "");
}

void TestWindow::addressKeepsTheDomainOneSegment()
{
    QFETCH(QString, label);
    QFETCH(QString, suffix);
    QFETCH(QString, domain);
    const QString base = WindowFixture::base;
    const QString address = lookupAddress(base, label, suffix);
    QCOMPARE(address, base + domain);
    // A URL parser sees the service's path and exactly one segment more: nothing moves into
    // the query or fragment, and decoding gives back what was typed.
    const QUrl url(address);
    QVERIFY(url.isValid() && !url.hasQuery() && !url.hasFragment());
    const QString path = url.path(QUrl::FullyEncoded);
    QCOMPARE(path.section(u'/', 0, 1), QStringLiteral("/whois"));
    QCOMPARE(QUrl::fromPercentEncoding(path.section(u'/', 2).toUtf8()), label + suffix);
}

void TestWindow::selectionOrdersLayersAndLines()
{
    WindowFixture w;
    QCOMPARE(w.log->calls.size(), 0); // no page before start-up
    QVERIFY(w.show());
    // Start-up selects tab 0, then loads the start page through the pair, once however often
    // the window shows.
    QCOMPARE(QApplication::focusWidget(), w.f.txtLookUp.widget());
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);
    w.window.Show();
    const QString start = WindowFixture::startPage;
    const QList<BrowserLog::Call> calls = {
        {0, "Navigate", start}, {0, "load", start}, {0, "Navigate2", start}};
    QCOMPARE(w.log->calls, calls);
    w.lookUp(3);
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
    const QString selected = strip(w.f);
    w.window.tabSelection().lbPreFix_Click(2);
    QCOMPARE(strip(w.f), selected);
    w.window.tabSelection().lbPreFix_Click(0);
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.frmSearch.childAt(page), w.f.browserLookup(0).widget());
    QCOMPARE(w.log->calls.size(), loads);
}

void TestWindow::scrollLimits_data()
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
    QTest::newRow("just past it") << 2 << true << std::nextafter(limitL, 1e9f) << 120.0f << true;
    QTest::newRow("tab 0 on the right limit") << 2 << false << limitR << 120.0f << false;
    QTest::newRow("just short of it") << 2 << false << std::nextafter(limitR, 0.f) << 120.f << true;
    QTest::newRow("left arrow moved left") << 1 << true << 840.0f << 0.0f << true;
    QTest::newRow("left arrow moved right") << 1 << false << 840.0f << 300.0f << true;
}

void TestWindow::scrollLimits()
{
    QFETCH(int, tabs);
    QFETCH(bool, left);
    QFETCH(float, testedLeft);
    QFETCH(float, arrowLeft);
    QFETCH(bool, shifts);

    WindowFixture w;
    w.lookUp(tabs);
    w.f.imgLeft.setLeft(arrowLeft);
    w.f.imgTab(left ? Index(tabs - 1) : Index(0)).setLeft(testedLeft);
    // Sent back so that a selection would show: at a limit not even that happens.
    w.f.imgRight.ZOrder(1);
    const QString before = strip(w.f);
    const QList<float> lefts = w.tabLefts();

    left ? w.window.tabStripScroll().imgLeft_Click() : w.window.tabStripScroll().imgRight_Click();
    if (!shifts) {
        QCOMPARE(strip(w.f), before);
        return;
    }
    for (qsizetype i = 0; i < lefts.size(); ++i)
        QCOMPARE(w.tabLefts()[i], lefts[i] + (left ? -1830.0f : 1830.0f));
    QCOMPARE(w.f.frmSearch.graphicalOrder().constFirst(), QStringLiteral("imgRight"));
}

void TestWindow::manyClicksAtOnce_data()
{
    QTest::addColumn<int>("tabs");
    QTest::addColumn<int>("before");      // left-arrow clicks first, one by one
    QTest::addColumn<int>("clicks");      // then these: negative on the left arrow
    QTest::addColumn<float>("arrowLeft"); // imgLeft.Left, from which both limits count
    QTest::newRow("left, within the limits") << 8 << 0 << -3 << 120.0f;
    QTest::newRow("left, past the limit") << 8 << 0 << -20 << 120.0f;
    QTest::newRow("right, past the limit") << 8 << 4 << 9 << 120.0f;
    QTest::newRow("right, at the limit already") << 8 << 0 << 2 << 120.0f;
    QTest::newRow("one tab") << 1 << 0 << -4 << 120.0f;
    // Tabs that land right on a limit: the last at 840 after one click, the first at 840.
    QTest::newRow("left, onto the limit") << 2 << 0 << -5 << 30.0f;
    QTest::newRow("right, from the limit") << 2 << 0 << 3 << 180.0f;
}

// Keys and the wheel shift the strip as far as that many arrow clicks would, but at once.
void TestWindow::manyClicksAtOnce()
{
    QFETCH(int, tabs);
    QFETCH(int, before);
    QFETCH(int, clicks);
    QFETCH(float, arrowLeft);
    WindowFixture once, oneByOne;
    for (WindowFixture *w : {&once, &oneByOne}) {
        w->lookUp(tabs);
        w->f.imgLeft.setLeft(arrowLeft);
        for (int i = 0; i < before; ++i)
            w->window.tabStripScroll().imgLeft_Click();
    }
    once.window.tabStripScroll().shiftBy(clicks);
    for (int i = 0; i < std::abs(clicks); ++i) {
        clicks < 0 ? oneByOne.window.tabStripScroll().imgLeft_Click()
                   : oneByOne.window.tabStripScroll().imgRight_Click();
    }
    QCOMPARE(strip(once.f), strip(oneByOne.f));
}

void TestWindow::captionsStayOnTheirTabs()
{
    WindowFixture w;
    w.lookUp(3);
    TabStripScroll &scroll = w.window.tabStripScroll();
    w.window.tabSelection().imgTab_Click(1);
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
    // The selected tab keeps its gap in the base line wherever it stands.
    QCOMPARE(w.f.lineLeft.X1(), 840.0f);
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);
    // Two more tabs, made while the strip stands one tab to the left: they join the last tab
    // where it stands, unselected and behind, their browsers behind every other; the selected
    // tab stays selected, and tab 0 reloads out of sight.
    w.lookUp(3);
    QCOMPARE(w.tabLefts(), QList<float>({-990, 840, 2670, 4500, 6330}));
    QVERIFY(aligned());
    const QStringList order = w.f.frmSearch.graphicalOrder();
    QCOMPARE(order.mid(order.size() - 3),
             QStringList({"lbPreFix(4)", "imgTab(4)", "imgCurrent(4)"}));
    QCOMPARE(w.f.frmSearch.windowedOrder().constFirst(), QStringLiteral("browserLookup(1)"));
    QCOMPARE(w.f.frmSearch.windowedOrder().constLast(), QStringLiteral("browserLookup(4)"));
    QCOMPARE(w.log->loads(0).size(), 2);
    for (const bool left : {true, true, true, true, false, false, false, false, false, true, false})
        left ? scroll.imgLeft_Click() : scroll.imgRight_Click();
    QCOMPARE(w.tabLefts(), QList<float>({840, 2670, 4500, 6330, 8160}));
    QVERIFY(aligned());
    QCOMPARE(w.f.currentTab, Index(1));
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));
}

void TestWindow::clicksThroughTheWindow()
{
    WindowFixture w;
    QVERIFY(w.show());
    w.lookUp(3);

    w.click(w.tabPicture(1));
    QCOMPARE(w.f.currentTab, Index(1));
    w.click(w.tabCaption(2));
    QCOMPARE(w.f.currentTab, Index(2));
    // Only a left press and release on one control is a click.
    QWindow *window = w.f.frmSearch.windowHandle();
    QTest::mouseClick(window, Qt::MiddleButton, {}, w.tabPicture(1));
    QTest::mousePress(window, Qt::LeftButton, {}, w.tabPicture(1));
    QTest::mouseRelease(window, Qt::LeftButton, {}, w.tabPicture(0));
    QCOMPARE(w.f.currentTab, Index(2));

    // The selected tab's own picture takes no clicks: not even the arrows are raised.
    w.f.imgLeft.ZOrder(1);
    const QString selected = strip(w.f);
    w.click(w.tabPicture(2));
    QCOMPARE(strip(w.f), selected);

    // Tab 0 ends up under the left arrow, which still takes the clicks there.
    const QPoint leftArrow = w.f.imgLeft.pixelRect().center();
    w.click(leftArrow);
    QCOMPARE(w.tabLefts(), QList<float>({-990, 840, 2670}));
    w.click(leftArrow);
    w.click(w.f.imgRight.pixelRect().center());
    QCOMPARE(w.tabLefts(), QList<float>({-990, 840, 2670}));
    QCOMPARE(w.f.currentTab, Index(2));

    // Every click counts, the second of a double-click too; held, an arrow repeats up to
    // its limit.
    QTest::mousePress(window, Qt::LeftButton, {}, leftArrow);
    QTRY_COMPARE(w.tabLefts(), QList<float>({-2820, -990, 840}));
    QTest::mouseRelease(window, Qt::LeftButton, {}, leftArrow);
    QTest::mouseDClick(window, Qt::LeftButton, {}, w.f.imgRight.pixelRect().center());
    QCOMPARE(w.tabLefts(), QList<float>({840, 2670, 4500}));
}

void TestWindow::keysAndWheelEndInTheHandlers()
{
    WindowFixture w;
    QVERIFY(w.show());
    FrmSearchControls &f = w.f;
    w.useSuffixes(testwindow::suffixes(6));
    QWidget *box = f.txtLookUp.widget();
    f.txtLookUp.setText(QStringLiteral(" example\t"));
    testwindow::holdKey(box, Qt::Key_Return);
    QCOMPARE(w.captions().size(), 6); // one run, of the name without white space
    QCOMPARE(w.log->loads(0), QStringList({w.startPage, w.base + "example.s0"}));

    // Tab 3 ends the visible strip; a tab selected beyond it is shifted into view.
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int, float> steps[] = {
        {Qt::Key_Tab, Qt::ControlModifier, 1, 840},
        {Qt::Key_9, Qt::AltModifier, 5, -2820},
        {Qt::Key_PageDown, Qt::ControlModifier, 0, 840},
        {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, 5, -2820},
        {Qt::Key_PageUp, Qt::ControlModifier, 4, -2820},
        {Qt::Key_2, Qt::AltModifier, 1, -990},
        {Qt::Key_8, Qt::AltModifier, 1, -990}};
    for (auto [key, modifiers, tab, firstLeft] : steps) {
        QTest::keyClick(box, key, modifiers);
        QCOMPARE(f.currentTab, Index(tab));
        QCOMPARE(f.imgTab(0).Left(), firstLeft);
    }
    QTest::keyClick(box, Qt::Key_F5);
    QCOMPARE(w.log->loads(1), QStringList({w.base + "example.s1", w.base + "example.s1"}));
    f.cmdSearch.SetFocus();
    QTest::keyClick(f.cmdSearch.widget(), Qt::Key_L, Qt::ControlModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    QCOMPARE(qobject_cast<QLineEdit *>(box)->selectedText(), f.txtLookUp.Text());

    // Over the strip, a notch down shifts as the left arrow; small steps add up, afresh when
    // the turn changes direction. Anywhere else in the window the wheel leaves it alone.
    QList<float> firstLefts;
    const QPointF at = w.tabCaption(1), below = f.browserLookup(0).widget()->geometry().center();
    for (auto [where, angle] :
         {std::pair{at, -120}, {at, -60}, {at, 50}, {at, 50}, {at, 10}, {at, 10}, {below, -240}}) {
        QWheelEvent turn(where, f.frmSearch.mapToGlobal(where), {}, {0, angle}, {}, {},
                         Qt::NoScrollPhase, false);
        QApplication::sendEvent(&f.frmSearch, &turn);
        firstLefts << f.imgTab(0).Left();
    }
    QCOMPARE(firstLefts, QList<float>({-2820, -2820, -2820, -2820, -2820, -990, -990}));

    // A second lookup makes eleven tabs: Alt+8 reaches the eighth.
    QTest::keyClick(box, Qt::Key_Return);
    QTest::keyClick(box, Qt::Key_8, Qt::AltModifier);
    QCOMPARE(f.currentTab, Index(7));
}

void TestWindow::tabsSayWhatTheyHold()
{
    WindowFixture w;
    QVERIFY(w.show());
    const auto tip = [&](QPoint at) {
        QHelpEvent hover(QEvent::ToolTip, at, w.f.frmSearch.mapToGlobal(at));
        QApplication::sendEvent(&w.f.frmSearch, &hover);
        QTextDocument drawn;
        drawn.setHtml(QToolTip::isVisible() ? QToolTip::text() : QString());
        return drawn.toPlainText();
    };
    const auto description = [&](Index i) {
        return ContainerAccessible::interfaceFor(&w.f.imgTab(i))->text(QAccessible::Description);
    };
    QCOMPARE(tip(w.tabCaption(0)), QStringLiteral("Start page"));
    QCOMPARE(description(0), QStringLiteral("Start page"));
    // Two lookups over the same suffixes: their tabs are told apart by the domain.
    w.useSuffixes({".com", ".net"});
    w.lookUp(QStringLiteral("example"));
    w.lookUp(QStringLiteral("<b>s</b>"));
    // As plain text, whatever DNS adds after the domain.
    const QStringList domains = {"<b>s</b>.com", "example.net", "<b>s</b>.net"};
    for (Index i = 0; i < 3; ++i) {
        QVERIFY2(description(i).startsWith(domains[i]), qPrintable(description(i)));
        QCOMPARE(tip(w.tabPicture(i)), description(i));
        QCOMPARE(tip(w.tabCaption(i)), description(i));
    }
    tip(w.f.imgLeft.pixelRect().center());
    QTRY_VERIFY(!QToolTip::isVisible());
}

void TestWindow::resizeLayout_data()
{
    QTest::addColumn<QSize>("client");
    QTest::addColumn<bool>("narrow"); // W < 360: no browser width
    QTest::addColumn<bool>("low");    // H < 2080: no browser height
    QTest::newRow("designed size") << QSize(691, 525) << false << false;
    QTest::newRow("large") << QSize(1200, 900) << false << false;
    QTest::newRow("narrower than a browser's margin") << QSize(4, 400) << true << false;
    QTest::newRow("lower than the browsers' top") << QSize(500, 100) << false << true;
}

void TestWindow::resizeLayout()
{
    QFETCH(QSize, client);
    QFETCH(bool, narrow);
    QFETCH(bool, low);

    WindowFixture w;
    QVERIFY(w.show({600, 450}));
    w.lookUp(2);
    w.f.browserLookup(1).setTop(3000); // its height still comes from browser 0's top
    const float keptWidth = w.f.browserLookup(0).Width();
    const float keptHeight = w.f.browserLookup(0).Height();
    w.f.imgLeft.ZOrder(1);
    w.f.imgRight.ZOrder(1);
    w.window.suffixPanel().cmdPreFixSetup_Click();

    QVERIFY(w.resize(client));
    const float W = w.outerTwips().width();
    const float H = w.outerTwips().height();
    QCOMPARE(W < 360, narrow);
    QCOMPARE(H < 2080, low);
    // A size a browser cannot take is skipped; every other step still runs.
    for (Index i = 0; i < 2; ++i) {
        QCOMPARE(w.f.browserLookup(i).Width(), narrow ? keptWidth : W - 360);
        QCOMPARE(w.f.browserLookup(i).Height(), low ? keptHeight : H - 2080);
    }
    QCOMPARE(w.f.imgRight.Left() + w.f.imgRight.Width(), W - 240);
    QCOMPARE(w.f.imgBG.Width(), W);
    QCOMPARE(w.f.imgBG.Height(), H);
    QCOMPARE(w.f.lineRight.X2(), W);
    QCOMPARE(w.f.fraSetup.pixelRect(), QRect(QPointF(0, 0).toPoint(), QSizeF(W, H).toSize() / 15));
    QVERIFY(w.f.fraSetup.Visible());
    QCOMPARE(w.f.frmSearch.graphicalOrder().mid(0, 2), QStringList({"imgRight", "imgLeft"}));
    QCOMPARE(w.f.lineRight.X1(), 2670.0f);

    // Minimising runs the layout as well, and restoring puts everything back.
    w.f.imgRight.setLeft(0);
    w.f.frmSearch.setWindowState(Qt::WindowMinimized);
    QVERIFY(w.f.imgRight.Left() != 0);
    w.f.imgRight.setLeft(0);
    w.f.frmSearch.setWindowState(Qt::WindowNoState);
    QTRY_COMPARE(w.f.imgRight.Left() + w.f.imgRight.Width(), w.outerTwips().width() - 240);
}

void TestWindow::moveEntries_data()
{
    // Steps: "<.x" clicks entry .x in the available list, ">.x" in the in-use list, and "<"
    // or ">" alone the empty space below the entries; "add", "remove", "addAll" and
    // "removeAll" click the buttons, "lookup" looks up from the window.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("inUse");
    QTest::addColumn<int>("inUseSelected");

    const QStringList all = kInUse + kAvailable;
    const auto row = [](const char *name, const char *steps, const QStringList &available,
                        const QStringList &inUse, int selected) {
        QTest::newRow(name) << QString::fromLatin1(steps).split(u' ', Qt::SkipEmptyParts)
                            << available << inUse << selected;
    };
    row("add moves to the end", "<.biz add", without(kAvailable, ".biz"),
        kInUse + QStringList{".biz"}, -1);
    row("second add does nothing", "<.biz add add", without(kAvailable, ".biz"),
        kInUse + QStringList{".biz"}, -1);
    row("add keeps the in-use selection", ">.org <.eu add", without(kAvailable, ".eu"),
        kInUse + QStringList{".eu"}, 2);
    row("add, remove: entry at the end", "<.info add >.info remove",
        without(kAvailable, ".info") + QStringList{".info"}, kInUse, -1);
    row("remove, add: last in use", ">.co.uk remove <.co.uk add", kAvailable,
        without(kInUse, ".co.uk") + QStringList{".co.uk"}, -1);
    row("second remove does nothing", ">.com remove remove", kAvailable + QStringList{".com"},
        without(kInUse, ".com"), -1);
    row("nothing selected", "add remove", kAvailable, kInUse, -1);
    row("add all in order", "addAll addAll", {}, all, -1);
    row("add all, remove all", "addAll removeAll removeAll", all, {}, -1);
    row("click below keeps selection", ">.org > remove", kAvailable + QStringList{".org"},
        without(kInUse, ".org"), -1);
    row("add all keeps selection", ">.net addAll", {}, all, 4);
    row("remove after a lookup", "lookup remove remove", kAvailable + QStringList{".net"},
        without(kInUse, ".net"), -1);
}

void TestWindow::moveEntries()
{
    QFETCH(QStringList, steps);
    WindowFixture w;
    FrmSearchControls &f = w.f;
    QVERIFY(w.show());
    click(f.cmdPreFixSetup);
    const std::map<QString, CommandButton *> buttons = {{"add", &f.cmdAdd},
                                                        {"remove", &f.cmdRemove},
                                                        {"addAll", &f.cmdAddAll},
                                                        {"removeAll", &f.cmdRemoveAll}};
    for (const QString &step : steps) {
        if (step.startsWith(u'<') || step.startsWith(u'>')) {
            ListBox &list = step.startsWith(u'<') ? f.lstPreFix : f.lstPreFixUse;
            const Index selected = list.ListIndex();
            const QStringList before = f.lstPreFix.items() + f.lstPreFixUse.items();
            const Index row = Index(list.items().indexOf(step.mid(1)));
            clickEntry(list, row);
            // Clicking an entry only selects it.
            QCOMPARE(list.ListIndex(), row < 0 ? selected : row);
            QCOMPARE(f.lstPreFix.items() + f.lstPreFixUse.items(), before);
        } else if (step == u"lookup") {
            w.window.lookupRun().cmdSearch_Click();
        } else {
            click(*buttons.at(step));
        }
        if (QTest::currentTestFailed())
            return;
    }
    QTEST(f.lstPreFix.items(), "available");
    QTEST(f.lstPreFixUse.items(), "inUse");
    QTEST(int(f.lstPreFixUse.ListIndex()), "inUseSelected");
    // Every move leaves its source without a selection.
    QCOMPARE(f.lstPreFix.ListIndex(), Index(-1));
    QCOMPARE(f.lstPreFix.Text(), QString());
}

void TestWindow::createNew_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QStringList>("available");
    const auto row = [](const char *name, std::optional<QString> answer, QStringList added) {
        QTest::newRow(name) << answer << kAvailable + added;
    };
    row("a suffix already in use", QStringLiteral(".com"), {".com"});
    row("kept exactly as typed", QStringLiteral(" Co.UK "), {" Co.UK "});
    row("blanks only", QStringLiteral("   "), {"   "});
    row("cancel adds nothing", std::nullopt, {});
    row("an empty confirm adds nothing", QString(), {});
}

void TestWindow::createNew()
{
    QFETCH(std::optional<QString>, answer);
    WindowFixture w;
    QVERIFY(w.show());
    w.dialogs.answers = {answer};
    click(w.f.cmdPreFixSetup);
    click(w.f.cmdCreateNew);
    QCOMPARE(w.dialogs.prompts, QStringList{"What is the new prefix?|Create New Prefix"});
    QTEST(w.f.lstPreFix.items(), "available");
    QCOMPARE(w.f.lstPreFixUse.items(), kInUse);
}

// A list holds as many entries as a 16-bit position can count; a full list refuses a move
// and the entry stays where it was.
void TestWindow::fullListKeepsTheEntry()
{
    WindowFixture w;
    QVERIFY(w.show());
    while (w.f.lstPreFixUse.AddItem(QStringLiteral(".x")))
        ;
    QCOMPARE(w.f.lstPreFixUse.ListCount(), Index(32767));
    click(w.f.cmdPreFixSetup);
    w.f.lstPreFix.setListIndex(1);
    click(w.f.cmdAdd);
    click(w.f.cmdAddAll);
    QCOMPARE(w.f.lstPreFix.items(), kAvailable);
    QCOMPARE(w.f.lstPreFixUse.ListCount(), Index(32767));
}

void TestWindow::panelLiesInFrontOfEveryBrowser()
{
    WindowFixture w;
    QVERIFY(w.show());
    QWidget *panel = w.f.fraSetup.widget();
    const auto covered = [&](const platform::WindowedControl &control) {
        QWidget *hit = w.f.frmSearch.childAt(control.widget()->geometry().center());
        return hit && (hit == panel || panel->isAncestorOf(hit));
    };
    w.lookUp(3);
    w.window.tabSelection().imgTab_Click(2);
    QVERIFY(!covered(w.f.browserLookup(2)));

    click(w.f.cmdPreFixSetup);
    QCOMPARE(w.f.frmSearch.windowedOrder().first(), QStringLiteral("fraSetup"));
    for (Index i = 0; i < 3; ++i)
        QVERIFY2(covered(w.f.browserLookup(i)), qPrintable(w.f.browserLookup(i).displayName()));
    QVERIFY(covered(w.f.cmdPreFixSetup));
    // The tab keys rest meanwhile: none raises a browser over the panel.
    QTest::keyClick(w.f.frmSearch.focusWidget(), Qt::Key_PageDown, Qt::ControlModifier);
    QCOMPARE(w.f.currentTab, Index(2));
    QCOMPARE(w.f.frmSearch.windowedOrder().first(), QStringLiteral("fraSetup"));
    // A resize while shown keeps the panel over the whole window.
    QVERIFY(w.resize(w.f.frmSearch.size() + QSize(120, 90)));
    QTRY_VERIFY(panel->geometry().contains(w.f.frmSearch.rect()));
    click(w.f.cmdDone);
    QVERIFY(!covered(w.f.browserLookup(2)));
}

void TestWindow::focusFollowsWhatIsShown()
{
    WindowFixture w;
    QVERIFY(w.show());
    FrmSearchControls &f = w.f;
    QApplication::setActiveWindow(&f.frmSearch);
    QVERIFY(QTest::qWaitForWindowActive(&f.frmSearch));

    // Where Tab goes from the focus, once round.
    const auto tabRound = [&] {
        QStringList visited;
        const std::vector<platform::WindowedControl *> stops = f.frmSearch.tabStops();
        for (std::size_t i = 0; i <= stops.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            const auto it = std::ranges::find_if(
                stops, [focus](auto *control) { return control->widget() == focus; });
            if (it == stops.end() || visited.contains((*it)->displayName()))
                break;
            visited << (*it)->displayName();
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        return visited;
    };
    const auto shown = [](Index tab) {
        return QStringList{"txtLookUp", "cmdSearch", QStringLiteral("browserLookup(%1)").arg(tab),
                           "cmdPreFixSetup"};
    };
    f.txtLookUp.SetFocus();
    QCOMPARE(tabRound(), shown(0));
    // Browsers made later take their place in the order; only the one in front is reached,
    // and it takes the focus from the one it covers.
    w.lookUp(3);
    f.browserLookup(0).SetFocus();
    w.window.tabSelection().imgTab_Click(2);
    QCOMPARE(QApplication::focusWidget(), f.browserLookup(2).widget());
    f.txtLookUp.SetFocus();
    QCOMPARE(tabRound(), shown(2));

    // The panel takes the focus in, keeps it among its own controls and gives it back.
    f.browserLookup(2).SetFocus();
    w.window.suffixPanel().cmdPreFixSetup_Click();
    QCOMPARE(tabRound(), QStringList({"lstPreFix", "lstPreFixUse", "cmdAdd", "cmdRemove",
                                      "cmdAddAll", "cmdRemoveAll", "cmdCreateNew", "cmdDone"}));
    click(f.cmdDone);
    QCOMPARE(QApplication::focusWidget(), f.browserLookup(2).widget());
}

#if LOOKUP_DNS_HINTS
namespace {

using Reply = platform::DnsAnswer::Reply;

const QString kRegistered = QStringLiteral("%1: registered (it has name servers)");
const QString kMayBeFree =
    QStringLiteral("; it may be free, the registry's page below says for sure");
const QString kNotInDns = QStringLiteral("%1: not in DNS") + kMayBeFree;
const QString kProven = QStringLiteral("%1: not in DNS (signed proof)") + kMayBeFree;
const QString kNotSigned = QStringLiteral("%1: not in DNS (answer not signed)") + kMayBeFree;
const QString kUnknown = QStringLiteral("%1: unknown, %2");
const QString kUnverified =
    QStringLiteral("the answer could not be verified (its DNSSEC signature fails)");

// "NS", "NX", "ND" (no data), "SF", "RF", "TO", "??" (failed); "+" validated, "!" bogus; "-" none.
std::optional<platform::DnsAnswer> answerFrom(const QString &code)
{
    static const QHash<QString, Reply> replies = {
        {"NS", Reply::NameServers},   {"NX", Reply::NoSuchName}, {"ND", Reply::NoData},
        {"SF", Reply::ServerFailure}, {"RF", Reply::Refused},    {"TO", Reply::TimedOut},
        {"??", Reply::Failed}};
    if (code == u"-")
        return std::nullopt;
    using Proof = platform::DnsAnswer::Proof;
    const Proof proof = code.endsWith(u'+')   ? Proof::Secure
                        : code.endsWith(u'!') ? Proof::Bogus
                                              : Proof::Insecure;
    return platform::DnsAnswer{replies.value(code.left(2)), proof};
}

// A mark's shape: - none, D disc, R ring, O ring with a dot, S square, ? query.
QChar shapeOf(const platform::Image::Mark &mark)
{
    return QStringLiteral("-DROS?").at(mark.shape);
}

// A tab's mark, the same on its picture and its selected picture.
QChar markOf(const FrmSearchControls &f, Index i)
{
    return f.imgCurrent(i).mark() == f.imgTab(i).mark() ? shapeOf(f.imgTab(i).mark()) : u'!';
}

} // namespace

void TestWindow::dnsAnswersReadAgainstTheirZone_data()
{
    // Answers for example.com, for the zone com and for a made-up name in it.
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("zone");
    QTest::addColumn<QString>("madeUp");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("mark");
    const QString domain = QStringLiteral("example.com");
    const QString unknown = kUnknown.arg(domain);
    const auto row = [](const char *name, const char *answers) -> QTestData & {
        const QStringList codes = QString::fromLatin1(answers).split(u' ');
        return QTest::newRow(name) << codes[0] << codes[1] << codes[2];
    };
    row("registered", "NS NS NX") << kRegistered.arg(domain) << "D";
    row("registered, wildcard zone", "NS NS ND") << kRegistered.arg(domain) << "D";
    row("registered waits for the made-up name", "NS NS -") << domain << "-";
    row("not in DNS", "NX NS -") << kNotInDns.arg(domain) << "R";
    row("proven", "NX+ NS+ -") << kProven.arg(domain) << "O";
    row("validated zone, unproven", "NX NS+ -") << kNotInDns.arg(domain) << "R";
    row("signatures stripped", "NX! NS! NX!") << kNotSigned.arg(domain) << "R";
    row("signature fails", "NX! NS+ NX+") << unknown.arg(kUnverified) << "?";
    row("signature fails, name servers", "NS! NS+ NX+") << unknown.arg(kUnverified) << "?";
    row("waits for the zone", "NX - -") << domain << "-";
    const QString unconfirmed = unknown.arg("the resolver could not confirm that .com exists");
    row("zone denied", "NX NX NX") << unconfirmed << "?";
    row("zone silent", "- TO -") << unconfirmed << "?";
    row("zone without name servers", "NX ND -") << unconfirmed << "?";
    row("made-up name has name servers", "NS NS NS")
        << unknown.arg("the resolver gives name servers even for made-up names under .com") << "?";
    row("made-up name fails", "NS NS SF")
        << unknown.arg("the resolver could not be checked with a made-up name under .com") << "?";
    row("no data", "ND NS NX") << unknown.arg("DNS knows the name but gives no name servers for it")
                               << "?";
    row("SERVFAIL", "SF NS NX") << unknown.arg("the resolver failed to answer (SERVFAIL)") << "?";
    row("REFUSED", "RF NS NX") << unknown.arg("the resolver refused to answer") << "?";
    row("timeout", "TO NS NX") << unknown.arg("no answer from DNS in time") << "?";
    row("failed", "?? NS NX") << unknown.arg("DNS could not be asked") << "?";
}

void TestWindow::dnsAnswersReadAgainstTheirZone()
{
    QFETCH(QString, name);
    QFETCH(QString, zone);
    QFETCH(QString, madeUp);
    TabRecord record{"example.com", ".com", AskedName::of("example", ".com")};
    if (const auto evidence =
            readDns(".com", answerFrom(name), answerFrom(zone), answerFrom(madeUp)))
        record.dns = *evidence;
    QTEST(TabVerdict::words(record), "words");
    QTEST(QString(shapeOf(TabVerdict::mark(TabVerdict::kind(record)))), "mark");
}

void TestWindow::dnsHintsFollowTheirTabs_data()
{
    // Steps: a lookup "label|suffix|suffix...", "zone=zone" (confirmed) or "zone=gone"
    // (NXDOMAIN), or an answer "name=registered|free|unknown".
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("descriptions"); // by tab
    QTest::addColumn<QString>("marks");            // by tab
    QTest::addColumn<QStringList>("waiting");      // names not yet answered, in sending order

    QTest::newRow("start page") << QStringList{} << QStringList{"Start page"} << "-"
                                << QStringList{};
    QTest::newRow("each answer on its tab")
        << QStringList{"example|.com|.net|.org",
                       "example.org=unknown",
                       "com=zone",
                       "net=zone",
                       "org=zone",
                       "example.com=registered",
                       "example.net=free"}
        << QStringList{kRegistered.arg("example.com"), kNotInDns.arg("example.net"),
                       kUnknown.arg("example.org", "the resolver failed to answer (SERVFAIL)")}
        << "DR?" << QStringList{};
    // Each zone is asked once, before its first tab; a zone that fails settles its tabs at once.
    QTest::newRow("zones first, a failing one ends its questions")
        << QStringList{"example|.com|.net|.com", "com=gone"}
        << QStringList{kUnknown.arg("example.com",
                                    "the resolver could not confirm that .com exists"),
                       "example.net",
                       kUnknown.arg("example.com",
                                    "the resolver could not confirm that .com exists")}
        << "?-?" << QStringList{"net", "?.net", "example.net"};
    // Tab 0 is reused: the earlier lookup's answer for it comes too late to count, and its
    // other questions are cancelled.
    QTest::newRow("a new lookup cancels the earlier one")
        << QStringList{"example|.com|.net", "sample|.com", "com=zone", "example.com=registered",
                       "example.net=free"}
        << QStringList{"sample.com",
                       kUnknown.arg("example.net", "DNS was not asked: a later lookup came first")}
        << "-?" << QStringList{"sample.com"};
    QTest::newRow("earlier answer stays on its tab")
        << QStringList{"example|.com|.net",
                       "com=zone",
                       "net=zone",
                       "example.com=free",
                       "example.net=registered",
                       "sample|.org|.info",
                       "sample.info=unknown"}
        << QStringList{"sample.org", kRegistered.arg("example.net"), "sample.info"} << "-D-"
        << QStringList{"org", "?.org", "sample.org", "info", "?.info"};
    QTest::newRow("trimmed, ACE form")
        << QStringList{"  bücher |.de", "de=zone", "xn--bcher-kva.de=free"}
        << QStringList{kNotInDns.arg("bücher.de")} << "R" << QStringList{};
    QTest::newRow("compatibility form: says what was asked")
        << QStringList{"Ⅻ|.com", "com=zone", "xii.com=registered"}
        << QStringList{kRegistered.arg("Ⅻ.com (asked as xii.com)")} << "D" << QStringList{};
    // Nothing is asked where the answer would be about another name than the tab's.
    const auto notAsked = [](const QString &label, const QString &suffix, const QString &why) {
        QTest::addRow("not asked: %s%s", qPrintable(label), qPrintable(suffix))
            << QStringList{label + u'|' + suffix}
            << QStringList{label + suffix + QStringLiteral(": not asked, ") + why} << "?"
            << QStringList{};
    };
    notAsked("a.b", ".com", "\"a.b\" is not a single name");
    notAsked("a。b", ".com", "\"a。b\" is not a single name");
    notAsked("a\u200db", ".com", "\"a\u200db\" holds an invisible character");
    notAsked("xn--zz", ".com", "\"xn--zz\" is not a valid name");
    notAsked("exa mple", ".com", "\"exa mple\" is not a valid name");
    notAsked("-a", ".com", "\"-a\" is not a valid name");
    notAsked(QString(64, u'a'), ".com",
             QString(64, u'a').prepend(u'"') + "\" is longer than 63 characters");
    notAsked("", ".com", "there is no name before the suffix");
    notAsked("a", "/x", "\"/x\" does not start with a dot");
    notAsked("a", ".", "\".\" is not a valid suffix");
}

void TestWindow::dnsHintsFollowTheirTabs()
{
    QFETCH(QStringList, steps);
    WindowFixture w;
    w.window.Form_Load();
    const std::map<QString, Reply> answers = {{"registered", Reply::NameServers},
                                              {"free", Reply::NoSuchName},
                                              {"unknown", Reply::ServerFailure},
                                              {"gone", Reply::NoSuchName}};
    for (const QString &step : steps) {
        if (const QStringList answer = step.split(u'='); answer.size() == 2) {
            if (answer[1] == u"zone")
                w.dns.confirm(answer[0]);
            else
                w.dns.answer(QRegularExpression::escape(answer[0]), {answers.at(answer[1])});
        } else {
            const QStringList parts = step.split(u'|');
            w.useSuffixes(parts.mid(1));
            w.lookUp(parts[0]);
        }
    }
    QStringList descriptions;
    QString marks;
    for (Index i = 0; i < w.f.imgTab.Count(); ++i) {
        descriptions << w.f.imgTab(i).ToolTipText();
        QCOMPARE(w.f.lbPreFix(i).ToolTipText(), descriptions.last());
        marks += markOf(w.f, i);
    }
    QTEST(descriptions, "descriptions");
    QTEST(marks, "marks");
    QTEST(w.dns.waiting(), "waiting");
}

void TestWindow::dnsHintsThroughALoopbackResolver_data()
{
    // What a resolver says of every name; the words the tabs .taken .free .broken .silent get.
    QTest::addColumn<int>("resolver");
    QTest::addColumn<QStringList>("words");
    const auto all = [](const QString &why) {
        QStringList words;
        for (const QString suffix : {".taken", ".free", ".broken", ".silent"})
            words << kUnknown.arg("example" + suffix, why.arg(suffix));
        return words;
    };
    QTest::newRow("sound")
        << 0
        << QStringList{kRegistered.arg("example.taken"), kNotInDns.arg("example.free"),
                       kUnknown.arg("example.broken", "the resolver failed to answer (SERVFAIL)"),
                       kUnknown.arg("example.silent", "no answer from DNS in time")};
    // NXDOMAIN for every name, the suffixes' zones too, as filtering resolvers and captive
    // portals do: not one tab may look free.
    QTest::newRow("denies everything") << 1 << all("the resolver could not confirm that %1 exists");
    QTest::newRow("name servers for any name")
        << 2 << all("the resolver gives name servers even for made-up names under %1");
}
void TestWindow::dnsHintsThroughALoopbackResolver()
{
    QFETCH(int, resolver);
    using DnsReply = LoopbackDns::Reply;
    const LoopbackDns::Handler nearby =
        LoopbackDns::nearby({{"example.free", DnsReply::NoSuchName},
                             {"example.broken", DnsReply::ServerFailure},
                             {"example.silent", DnsReply::Silent}});
    const LoopbackDns::Handler handlers[] = {// Names under "hush" never get an answer.
                                             [nearby](const QString &name) {
                                                 return name.startsWith(u"hush.") ? DnsReply::Silent
                                                                                  : nearby(name);
                                             },
                                             LoopbackDns::scripted({}, DnsReply::NoSuchName),
                                             LoopbackDns::scripted({}, DnsReply::Delegated)};
    LoopbackDns server(handlers[resolver]);
    QVERIFY2(server.isListening(), qPrintable("no loopback DNS server: " + server.errorString()));
    // No trust anchor: the loopback server's zones are unsigned ones.
    auto dns = std::make_unique<platform::DnsResolver>(
        platform::ResolverSetup{server.forwarder(), QStringLiteral("/nonexistent")});
    QVERIFY(!dns->validates());
    dns->setTimeLimit(1000);
    auto w = std::make_unique<WindowFixture>(dns.get());
    w->useSuffixes({".taken", ".free", ".broken", ".silent"});
    w->lookUp(QStringLiteral("example"));
    QFETCH(QStringList, words);
    const auto wordsNow = [&w] {
        QStringList all;
        for (Index i = 0; i < w->f.imgTab.Count(); ++i)
            all << w->f.imgTab(i).ToolTipText();
        return all;
    };
    QTRY_COMPARE_WITH_TIMEOUT(wordsNow(), words, 10000);
    if (resolver != 0)
        return;

    // A thousand questions: at most eight out at a time, the rest waiting, all answered.
    int delegated = 0;
    for (int i = 0; i < 1000; ++i) {
        dns->ask(QStringLiteral("n%1.example.taken").arg(i), [&delegated](platform::DnsAnswer a) {
            delegated += a.reply == Reply::NameServers;
        });
    }
    int mostOut = 0;
    QTRY_VERIFY_WITH_TIMEOUT((mostOut = std::max(mostOut, dns->inFlight()), delegated == 1000),
                             60000);
    QCOMPARE(mostOut, platform::DnsResolver::MaxInFlight);

    // Questions out to a server that never answers keep nobody waiting: the window and its
    // resolver go at once, as when the program is closed.
    dns->setTimeLimit(60000);
    w->useSuffixes(testwindow::suffixes(8));
    w->lookUp(QStringLiteral("hush"));
    QTRY_VERIFY(dns->waiting() == 0 && dns->inFlight() == platform::DnsResolver::MaxInFlight);
    QElapsedTimer closing;
    closing.start();
    w.reset();
    dns.reset();
    QVERIFY2(closing.elapsed() < 1000, qPrintable(QString::number(closing.elapsed())));
}

void TestWindow::dnsSecThroughARealResolver_data()
{
    QTest::addColumn<bool>("stripping"); // a resolver between that passes no signatures on
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("words");
    QTest::newRow("proven") << false << "zzz"
                            << ".com" << kProven.arg("zzz.com");
    QTest::newRow("unsigned delegation") << false << "taken"
                                         << ".com" << kRegistered.arg("taken.com");
    QTest::newRow("signature altered") << false << "zzz"
                                       << ".net" << kUnknown.arg("zzz.net", kUnverified);
    QTest::newRow("signatures stripped") << true << "zzz"
                                         << ".com" << kNotSigned.arg("zzz.com");
}

void TestWindow::dnsSecThroughARealResolver()
{
    QFETCH(bool, stripping);
    QFETCH(QString, label);
    QFETCH(QString, suffix);
    // A signed test root and suffixes behind a validating resolver, started once.
    static SignedDnsChain chain;
    static QString failed = QStringLiteral("not started");
    if (failed == u"not started" && chain.start(&failed))
        failed.clear();
    QVERIFY2(failed.isEmpty(), qPrintable(failed));
    // The same names as a resolver would give them that strips what DNSSEC adds.
    LoopbackDns stripper(LoopbackDns::nearby({{"zzz.com", LoopbackDns::Reply::NoSuchName}}));
    platform::DnsResolver dns(
        {stripping ? stripper.forwarder() : SignedDnsChain::resolver(), chain.trustAnchorFile()});
    QVERIFY(dns.validates());
    WindowFixture w(&dns);
    w.useSuffixes({suffix});
    w.lookUp(label);
    QFETCH(QString, words);
    QTRY_COMPARE_WITH_TIMEOUT(w.f.imgTab(0).ToolTipText(), words, 10000);
}

#if LOOKUP_RDAP
namespace {

using Outcome = platform::RegistryAnswer::Outcome;
const QString kRegistrar = QStringLiteral("Stand-in Registrar Ltd");

// "full", "bare", "soon" (records), "none" (no record), "busy" (unknown).
platform::RegistryAnswer registryAnswer(const QString &code)
{
    if (code == u"none")
        return {Outcome::NoRecord};
    if (code == u"busy")
        return {Outcome::Unknown, QStringLiteral("the registry limits how often it answers")};
    platform::RegistryAnswer record{Outcome::Record};
    if (code == u"full")
        record = {Outcome::Record,
                  {},
                  {1995, 8, 14},
                  {2031, 8, 13},
                  {2024, 8, 14},
                  kRegistrar,
                  {"client transfer prohibited"}};
    else if (code == u"soon")
        record.status = {"redemption period"};
    return record;
}

// Answers DNS for `name` in zone `zone`: "NS", "NX", "NX+" (proven), "SF"; "-" not yet.
void answerDns(ScriptedResolver &dns, const QString &name, const QString &zone, const QString &code)
{
    if (code == u"-")
        return;
    const bool proven = code.endsWith(u'+');
    const auto proof =
        proven ? platform::DnsAnswer::Proof::Secure : platform::DnsAnswer::Proof::Insecure;
    dns.answer(QRegularExpression::escape(zone), {Reply::NameServers, proof});
    dns.answer(QStringLiteral("[a-z]{30}\\.") + QRegularExpression::escape(zone),
               {Reply::NoSuchName, proof});
    const Reply reply = code.startsWith(u"NS")   ? Reply::NameServers
                        : code.startsWith(u"NX") ? Reply::NoSuchName
                                                 : Reply::ServerFailure;
    dns.answer(QRegularExpression::escape(name), {reply, proof});
}

} // namespace

void TestWindow::verdictsCombineTheSources_data()
{
    QTest::addColumn<QString>("registry");
    QTest::addColumn<QString>("dns");
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("mark");
    const QString dates =
        QStringLiteral("registered 1995-08-14, expires 2031-08-13, by ") + kRegistrar;
    const QString status = QStringLiteral("\nstatus: client transfer prohibited");
    QTest::newRow("record, name servers")
        << "full"
        << "NS"
        << "example.com: " + dates + "; it has name servers" + status << "D";
    QTest::newRow("record, not in DNS")
        << "full"
        << "NX"
        << "example.com: registered (the registry's record), not in DNS: no name servers\n" +
               dates + status
        << "D";
    QTest::newRow("bare record, DNS unknown") << "bare"
                                              << "SF"
                                              << "example.com: registered"
                                              << "D";
    QTest::newRow("record about to go")
        << "soon"
        << "-"
        << "example.com: registered\nstatus: redemption period; it may come free soon"
        << "D";
    QTest::newRow("no record, proven")
        << "none"
        << "NX+"
        << "example.com: the registry has no record of it, nor DNS (signed proof)" + kMayBeFree
        << "S";
    QTest::newRow("no record, DNS pending")
        << "none"
        << "-"
        << "example.com: the registry has no record of it" + kMayBeFree << "S";
    QTest::newRow("no record, name servers")
        << "none"
        << "NS"
        << "example.com: unknown: the registry has no record, but DNS has name servers for it"
        << "?";
    QTest::newRow("registry unknown, DNS stands")
        << "busy"
        << "NX"
        << kNotInDns.arg("example.com") +
               "\nthe registry's record: unknown, the registry limits how often it answers"
        << "R";
    QTest::newRow("registry unknown, DNS pending")
        << "busy"
        << "-"
        << "example.com\nthe registry's record: unknown, the registry limits how often it answers"
        << "?";
    QTest::newRow("DNS alone") << "-"
                               << "NS" << kRegistered.arg("example.com") << "D";
}

void TestWindow::verdictsCombineTheSources()
{
    QFETCH(QString, registry);
    QFETCH(QString, dns);
    ScriptedRegistry registries;
    WindowFixture w(nullptr, &registries);
    w.useSuffixes({".com"});
    w.lookUp(QStringLiteral("example"));
    answerDns(w.dns, "example.com", "com", dns);
    if (registry != u"-")
        registries.answer(QStringLiteral("example\\.com"), registryAnswer(registry));
    QTEST(w.f.imgTab(0).ToolTipText(), "words");
    QTEST(QString(markOf(w.f, 0)), "mark");
}

void TestWindow::registryRecordsFollowTheirTabs()
{
    ScriptedRegistry registries;
    WindowFixture w(nullptr, &registries);
    w.useSuffixes({".com", ".net", ".org"});
    w.lookUp(QStringLiteral("example"));
    registries.answer(QStringLiteral("example\\.net"), registryAnswer("bare"));
    QCOMPARE(registries.waiting(), QStringList({"example.com", "example.org"}));
    // Tab 0 now holds another domain: the earlier answer for it is not about that one, and the
    // earlier lookup's question still waiting is cancelled.
    w.useSuffixes({".com"});
    w.lookUp(QStringLiteral("sample"));
    registries.answer(QStringLiteral("example\\.com"), registryAnswer("full"));
    QCOMPARE(registries.waiting(), QStringList({"sample.com"}));
    QCOMPARE(w.f.imgTab(0).ToolTipText(), "sample.com");
    QCOMPARE(w.f.imgTab(1).ToolTipText(), "example.net: registered");
    QCOMPARE(w.f.imgTab(2).ToolTipText(),
             "example.org: unknown, DNS was not asked: a later lookup came first\nthe registry's "
             "record: unknown, not asked: a later lookup came first");
    // A name that is not asked of DNS is not asked of the registry either; in the copied table
    // it keeps to its own cells.
    w.lookUp(QStringLiteral("a\tb"));
    QCOMPARE(registries.waiting(), QStringList());
    QCOMPARE(ResultsCopy::table(*w.window.tabRecords()).section(u'\n', 1, 1),
             QStringLiteral("a b.com\tunknown\t\t\t\t"));
}

void TestWindow::resultsCopyAsATable()
{
    // The registries of four suffixes, and none for .io.
    using Kind = LoopbackRegistry::Reply;
    LoopbackRegistry registry({{"example.com", Kind::Full},
                               {"example.net", Kind::NoRecord},
                               {"example.org", Kind::Minimal},
                               {"example.info", Kind::ServerError}},
                              Kind::NoRecord, {"com", "net", "org", "info"});
    platform::RdapClient client(registry.bootstrapUrl());
    WindowFixture w(nullptr, &client);
    QVERIFY(w.show());
    w.useSuffixes({".com", ".net", ".org", ".info", ".io"});
    w.lookUp(QStringLiteral("example"));
    for (const QString zone : {"com", "net", "org", "info", "io"})
        w.dns.confirm(zone);
    w.dns.answer(QStringLiteral("example\\.(com|org)"), {Reply::NameServers});
    w.dns.answer(QStringLiteral("example\\.(net|info|io)"), {Reply::NoSuchName});
    QTRY_COMPARE_WITH_TIMEOUT(client.unanswered(), 0, 20000);

    const QString table =
        "domain\tverdict\tregistrar\tregistered\texpires\tstatus\n"
        "example.com\tregistered\tStand-in Registrar Ltd\t1995-08-14\t2031-08-13\t"
        "client delete prohibited, client transfer prohibited, client update prohibited\n"
        "example.net\tno record at the registry\t\t\t\t\n"
        "example.org\tregistered\t\t\t\t\n"
        "example.info\tnot in DNS\t\t\t\t\n"
        "example.io\tnot in DNS\t\t\t\t\n";
    // Ctrl+Shift+C wherever the focus is, and the strip's context menu.
    QGuiApplication::clipboard()->clear();
    w.f.browserLookup(1).SetFocus();
    QTest::keyClick(w.f.browserLookup(1).widget(), Qt::Key_C,
                    Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), table);
    QGuiApplication::clipboard()->clear();
    QTimer::singleShot(0, [] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            QCOMPARE(menu->actions().value(0)->text(), QStringLiteral("Copy results"));
            menu->actions().value(0)->trigger();
            menu->close();
        }
    });
    QContextMenuEvent click(QContextMenuEvent::Mouse, w.tabCaption(2),
                            w.f.frmSearch.mapToGlobal(w.tabCaption(2)));
    QApplication::sendEvent(&w.f.frmSearch, &click);
    QCOMPARE(QGuiApplication::clipboard()->text(), table);
}
#endif
void TestWindow::verdictsAreAnnounced()
{
    if (!qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        QSKIP("Qt tells screen readers nothing here: CTest runs this as tst_window_announced");
#if LOOKUP_RDAP
    ScriptedRegistry registries;
    WindowFixture w(nullptr, &registries);
#else
    WindowFixture w;
#endif
    QVERIFY(w.show());
    QTRY_VERIFY(QAccessible::isActive());
    static QStringList heard;
    QAccessible::installUpdateHandler([](QAccessibleEvent *event) {
        if (event->type() == QAccessible::DescriptionChanged)
            heard << event->accessibleInterface()->text(QAccessible::Description);
    });
    const auto restore = qScopeGuard([] { QAccessible::installUpdateHandler(nullptr); });
    w.useSuffixes({".com", ".net"});
    w.lookUp(QStringLiteral("example"));
    w.dns.confirm(QStringLiteral("net"));
    w.dns.answer(QStringLiteral("example\\.net"), {Reply::NoSuchName});
    QStringList expected = {"example.com", "example.net", kNotInDns.arg("example.net")};
#if LOOKUP_RDAP
    registries.answer(QStringLiteral("example\\.net"), {Outcome::NoRecord});
    expected << "example.net: the registry has no record of it, nor DNS" + kMayBeFree;
#endif
    QCOMPARE(heard, expected);
}
#endif

QTEST_MAIN(TestWindow)
#include "tst_window.moc"
