#include "WindowFixture.h"

#include <QAccessible>
#include <QMetaEnum>

using platform::Image;
using platform::Index;

// How the window presents itself: to screen readers, and at twice the pixel density, where
// Qt scales every window by 2 as on a HiDPI screen (set in main below).
namespace {

const qreal kScale = 2.0;

QString describe(QAccessibleInterface *iface)
{
    const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(iface->role());
    return QLatin1String(role) + u' ' + iface->text(QAccessible::Name);
}

// The children that stand for painted controls: they have no widget behind them.
QList<QAccessibleInterface *> paintedChildren(QAccessibleInterface *parent)
{
    QList<QAccessibleInterface *> children;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface *child = parent->child(i);
        if (child && !child->object())
            children << child;
    }
    return children;
}

QStringList describeAll(QAccessibleInterface *parent)
{
    QStringList described;
    for (QAccessibleInterface *child : paintedChildren(parent))
        described << describe(child);
    return described;
}

QAccessibleInterface *paintedChild(QAccessibleInterface *parent, const QString &described)
{
    for (QAccessibleInterface *child : paintedChildren(parent)) {
        if (describe(child) == described)
            return child;
    }
    return nullptr;
}

QAccessibleInterface *formOf(WindowFixture &w)
{
    return QAccessible::queryAccessibleInterface(&w.f.frmSearch);
}

QRect expectedPixels(float left, float top, float width, float height)
{
    // 15 twips to a device-independent pixel, whatever the density.
    return QRectF(left / 15, top / 15, width / 15, height / 15).toRect();
}

} // namespace

class TestPresentation : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabsAreNamedByTheirCaptions_data();
    void tabsAreNamedByTheirCaptions();
    void standardControlsKeepTheirNames();
    void placesAndHitTesting();
    void picturesAreDrawnAtTheirLogicalSize_data();
    void picturesAreDrawnAtTheirLogicalSize();
    void selectedTabIsDrawnOpen();
    void layoutCountsDeviceIndependentPixels();
#if LOOKUP_DNS_HINTS
    void dnsMarksMoveWithTheirTabs_data();
    void dnsMarksMoveWithTheirTabs();
#endif
};

void TestPresentation::tabsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<QList<QStringList>>("lookups");
    QTest::addColumn<QStringList>("tabs");
    QTest::newRow("before any lookup") << QList<QStringList>{} << QStringList{"Velnor"};
    // A shorter second lookup renames only tab 0; the other tabs keep their captions.
    QTest::newRow("second, shorter lookup") << QList<QStringList>{{".com", ".net", ".org"}, {".eu"}}
                                            << QStringList{".eu", ".net", ".org"};
}

void TestPresentation::tabsAreNamedByTheirCaptions()
{
    QFETCH(QList<QStringList>, lookups);
    QFETCH(QStringList, tabs);
    WindowFixture w;
    QVERIFY(w.show());
    QAccessibleInterface *form = formOf(w);
    // Read before each change too, as a screen reader does: nothing may be left from before.
    form->childCount();
    for (const QStringList &lookup : lookups) {
        w.useSuffixes(lookup);
        w.lookUp(QStringLiteral("example"));
        form->childCount();
    }
    // Reading order: the label and the arrows, then each tab once: its caption is part of it.
    QStringList expected = {"StaticText What is the domain name?", "Button Scroll tabs left",
                            "Button Scroll tabs right"};
    for (const QString &tab : tabs)
        expected << "PageTab " + tab;
    QCOMPARE(describeAll(form), expected);
    for (int i = 0; i < form->childCount(); ++i) {
        QCOMPARE(form->indexOfChild(form->child(i)), i);
        QCOMPARE(form->child(i)->parent(), form);
    }
    // Of the pages only the one in front is read, and it follows the selection.
    const auto pagesRead = [&] {
        QList<Index> read;
        for (int i = 0; i < form->childCount(); ++i) {
            for (Index tab = 0; tab < w.f.browserLookup.Count(); ++tab) {
                if (form->child(i)->object() == w.f.browserLookup(tab).widget())
                    read << tab;
            }
        }
        return read;
    };
    QCOMPARE(pagesRead(), QList<Index>{w.f.currentTab});
    const auto last = Index(tabs.size() - 1);
    w.window.tabSelection().imgTab_Click(last);
    QTRY_COMPARE(pagesRead(), QList<Index>{last});
    // Shown again, a page hides the one behind it once the handler has returned.
    w.f.browserLookup(last).setVisible(false);
    w.f.browserLookup(last).setVisible(true);
    QTRY_COMPARE(pagesRead(), QList<Index>{last});
    // The program's top level is its shown window, without windows never shown, such as
    // those the engine's views paint through.
    QWidget neverShown;
    neverShown.winId();
    QAccessibleInterface *program = QAccessible::queryAccessibleInterface(qApp);
    QCOMPARE(program->childCount(), 1);
    QCOMPARE(program->child(0), form);
    QCOMPARE(program->indexOfChild(form), 0);
}

void TestPresentation::standardControlsKeepTheirNames()
{
    WindowFixture w;
    QVERIFY(w.show());
    const auto named = [](QWidget *widget) {
        return describe(QAccessible::queryAccessibleInterface(widget));
    };
    // Fields are named by the painted labels that stand before them.
    QCOMPARE(named(w.f.txtLookUp.widget()), "EditableText What is the domain name?");
    QCOMPARE(named(w.f.lstPreFixUse.widget()), "List Domain pre-fixes to use");

    // The setup panel's painted labels are read while it is shown.
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(w.f.fraSetup.panel());
    w.window.suffixPanel().cmdPreFixSetup_Click();
    QCOMPARE(describeAll(panel),
             QStringList({"StaticText Select which pre-fixes you want to "
                          "search on",
                          "StaticText Domain pre-fixes", "StaticText Domain pre-fixes to use"}));
    for (QAccessibleInterface *label : paintedChildren(panel))
        QVERIFY(!label->state().invisible);
    w.window.suffixPanel().cmdDone_Click();
    for (QAccessibleInterface *label : paintedChildren(panel))
        QVERIFY(label->state().invisible);
}

void TestPresentation::placesAndHitTesting()
{
    WindowFixture w;
    QVERIFY(w.show());
    w.lookUp(12);
    QAccessibleInterface *form = formOf(w);
    const auto global = [&](QPoint local) { return w.f.frmSearch.mapToGlobal(local); };
    const auto hit = [&](QPoint local) {
        const QPoint at = global(local);
        return form->childAt(at.x(), at.y());
    };
    QAccessibleInterface *arrow = paintedChild(form, "Button Scroll tabs right");
    const QRect arrowRect = w.f.imgRight.pixelRect();
    QCOMPARE(arrow->rect(), QRect(global(arrowRect.topLeft()), arrowRect.size()));
    QCOMPARE(hit(arrowRect.center()), arrow);

    w.window.tabSelection().imgTab_Click(2);
    // Tab 2's selected picture lies over its tab, and still the tab is found there, as it is
    // under a tab's caption; over the pages, the one in front, the only one there.
    QCOMPARE(hit(w.tabPicture(2)), paintedChild(form, "PageTab .s2"));
    QCOMPARE(hit(w.tabCaption(1)), paintedChild(form, "PageTab .s1"));
    const auto page = [&](Index i) {
        return QAccessible::queryAccessibleInterface(w.f.browserLookup(i).widget());
    };
    QCOMPARE(hit(w.f.browserLookup(0).widget()->geometry().center()), page(2));
    QVERIFY(form->indexOfChild(page(2)) >= 0);
    QCOMPARE(form->indexOfChild(page(1)), -1);

    // Tabs shifted out of the window are off screen, not gone.
    QAccessibleInterface *first = paintedChild(form, "PageTab .s0");
    QVERIFY(!first->state().offscreen);
    for (int i = 0; i < 3; ++i)
        w.window.tabStripScroll().imgLeft_Click();
    QVERIFY(first->state().offscreen);
    QVERIFY(!first->state().invisible);

    // Presses through assistive technology; the arrows select the current tab again after
    // shifting.
    const float firstTabLeft = w.f.imgTab(0).Left();
    for (const char *target : {"PageTab .s2", "PageTab .s5", "Button Scroll tabs left",
                               "Button Scroll tabs left", "Button Scroll tabs right"}) {
        QAccessibleInterface *child = paintedChild(form, QLatin1String(target));
        QVERIFY2(child && child->actionInterface(), target);
        QCOMPARE(child->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        child->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    QCOMPARE(w.f.currentTab, Index(5));
    QCOMPARE(w.f.imgTab(0).Left(), firstTabLeft - w.f.imgTab(0).Width());
    for (QAccessibleInterface *child : paintedChildren(form)) {
        // Only tabs can be selected, and only the current one is.
        QCOMPARE(child->state().selectable, child->role() == QAccessible::PageTab);
        QCOMPARE(bool(child->state().selected), describe(child) == u"PageTab .s5");
    }
}

void TestPresentation::picturesAreDrawnAtTheirLogicalSize_data()
{
    // Each picture is compared over its rows that nothing else paints over: the strip's base
    // line runs along the arrows' last rows, and the captions lie over the tabs below row 8.
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("rows");
    // The window colour the desktop's palette is changed to, if any.
    QTest::addColumn<QColor>("window");
    QTest::newRow("left arrow") << "imgLeft"
                                << "arrow-left.bmp" << 22 << QColor();
    QTest::newRow("selected tab, dark") << "imgCurrent(0)"
                                        << "tab-current.bmp" << 8 << QColor(0x35, 0x35, 0x35);
    QTest::newRow("last tab, white") << "imgTab(3)"
                                     << "tab.bmp" << 8 << QColor(Qt::white);
}

void TestPresentation::picturesAreDrawnAtTheirLogicalSize()
{
    QFETCH(QString, control);
    QFETCH(QString, picture);
    QFETCH(int, rows);
    QFETCH(QColor, window);
    WindowFixture w;
    QVERIFY(w.show());
    w.lookUp(4);
    if (window.isValid()) {
        QPalette palette = w.f.frmSearch.palette();
        palette.setColor(QPalette::Window, window);
        w.f.frmSearch.setPalette(palette);
    }
    const QMap<QString, Image *> images = {{"imgLeft", &w.f.imgLeft},
                                           {"imgCurrent(0)", &w.f.imgCurrent(0)},
                                           {"imgTab(3)", &w.f.imgTab(3)}};
    const Image &image = *images.value(control);
    // In device-independent pixels the image is its picture's size, at its twip place.
    const QImage source(QStringLiteral(":/pictures/") + picture);
    const QRect area = image.pixelRect();
    QCOMPARE(area, expectedPixels(image.Left(), image.Top(), image.Width(), image.Height()));
    QCOMPARE(area.size(), source.size());

    // On screen every picture pixel covers exactly 2x2 device pixels: the picture is as
    // large as the rest of the window and as sharp as at 1x. Its pixels in the window colour
    // it was drawn for, #ECE9D8, show the window's colour of the moment, as does imgMainBG.
    const QImage shown = w.f.frmSearch.grab().toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(shown.size(), w.f.frmSearch.size() * kScale);
    const QColor surface = w.f.frmSearch.palette().color(QPalette::Window);
    QCOMPARE(shown.pixelColor(w.f.imgMainBG.pixelRect().bottomLeft() * kScale), surface);
    QImage expected = source.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < expected.height(); ++y) {
        for (int x = 0; x < expected.width(); ++x) {
            if (expected.pixel(x, y) == qRgb(0xEC, 0xE9, 0xD8))
                expected.setPixel(x, y, surface.rgb());
        }
    }
    const QRect device(area.topLeft() * kScale, QSize(area.width(), rows) * kScale);
    QImage doubled =
        expected.scaled(source.size() * kScale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .copy(QRect(QPoint(0, 0), device.size()));
    doubled.setDevicePixelRatio(kScale);
    QCOMPARE(shown.copy(device), doubled);
}

void TestPresentation::selectedTabIsDrawnOpen()
{
    WindowFixture w;
    QVERIFY(w.show());
    w.lookUp(3);
    w.window.tabSelection().imgTab_Click(1);
    // Under a dark palette too, the strip is drawn as designed, its base line black.
    QPalette dark(QColor(0x35, 0x35, 0x35));
    w.f.frmSearch.setPalette(dark);
    const QImage shot = w.f.frmSearch.grab().toImage();
    const auto at = [&](int x, int y) { return shot.pixelColor(QPoint(x, y) * kScale); };
    const QColor text = Qt::black;
    const QColor light(0xC0, 0xCF, 0xFA);
    // The base line, 2 pixels on the rows either side of y = 88 (1320 twips), runs from the
    // window's left edge to its right, broken exactly under the selected tab, where the tab
    // runs into the light area below.
    const QRect selected = w.f.imgTab(1).pixelRect();
    QCOMPARE(selected.bottom() + 1, 88);
    for (int x = 0; x < w.f.frmSearch.width(); ++x) {
        const bool gap = x >= selected.left() && x <= selected.right();
        if (at(x, 88) != (gap ? light : text))
            QFAIL(qPrintable(QStringLiteral("base line wrong at x = %1").arg(x)));
    }
    for (const int x : {0, w.f.frmSearch.width() - 1}) {
        QCOMPARE(at(x, 87), text);
        QCOMPARE(at(x, 89), light);
        QVERIFY(at(x, 86) != text);
    }
}

void TestPresentation::layoutCountsDeviceIndependentPixels()
{
    WindowFixture w;
    QVERIFY(w.show({640, 480}));
    QCOMPARE(w.f.frmSearch.devicePixelRatio(), kScale);
    // Width and Height are the outer size, frame included, in twips of device-independent
    // pixels, so the layout lands where it would at 1x.
    const QSizeF outer = w.outerTwips();
    QCOMPARE(w.f.frmSearch.Width(), float(outer.width()));
    QCOMPARE(w.f.frmSearch.Height(), float(outer.height()));
    QCOMPARE(w.f.imgRight.pixelRect().right() + 1, int(outer.width() / 15) - 16);
    QCOMPARE(w.f.txtLookUp.widget()->geometry(), expectedPixels(2520, 90, 2535, 285));
    QCOMPARE(w.f.browserLookup(0).widget()->geometry(),
             expectedPixels(120, 1440, w.f.frmSearch.Width() - 360, w.f.frmSearch.Height() - 2080));
}

#if LOOKUP_DNS_HINTS
void TestPresentation::dnsMarksMoveWithTheirTabs_data()
{
    QTest::addColumn<QColor>("window");
    QTest::newRow("light") << QColor();
    QTest::newRow("dark") << QColor(0x35, 0x35, 0x35);
}

void TestPresentation::dnsMarksMoveWithTheirTabs()
{
    QFETCH(QColor, window);
    WindowFixture w;
    QVERIFY(w.show({800, 525})); // room for five tabs
    if (window.isValid())
        w.f.frmSearch.setPalette(QPalette(window));
    // Every default suffix, so that the widest caption is among them.
    QStringList suffixes;
    for (const platform::ListBox *list : {&w.f.lstPreFixUse, &w.f.lstPreFix}) {
        for (Index i = 0; i < list->ListCount(); ++i)
            suffixes << list->List(i);
    }
    w.useSuffixes(suffixes);
    w.lookUp(QStringLiteral("example"));
    using Reply = platform::DnsAnswer::Reply;
    const platform::DnsAnswer::Proof secure = platform::DnsAnswer::Proof::Secure;
    for (const QString zone : {"com", "org", "org.uk"})
        w.dns.confirm(zone);
    w.dns.answer(QStringLiteral("net"), {Reply::NameServers, secure});
    w.dns.answer(QStringLiteral("example\\.com"), {Reply::NameServers});
    w.dns.answer(QStringLiteral("example\\.org"), {Reply::NoSuchName});
    w.dns.answer(QStringLiteral("example\\.org\\.uk"), {Reply::ServerFailure});
    w.dns.answer(QStringLiteral("example\\.net"), {Reply::NoSuchName, secure});
    w.window.tabSelection().imgTab_Click(2);

    const QRectF place = w.f.imgTab(1).mark().place;
    const QRect mark = QRectF(place.topLeft() / 15, place.size() / 15).toAlignedRect();
    const QFontMetrics caption(w.f.lbPreFix(0).Font());
    for (const QString &suffix : suffixes) {
        const int width = caption.horizontalAdvance(suffix);
        QVERIFY2((w.f.lbPreFix(0).pixelRect().width() + width) / 2 < mark.left(),
                 qPrintable(suffix));
    }
    // The first tab pictures in device pixels, above the strip's base line.
    const auto tabs = [&w] {
        const QImage shot = w.f.frmSearch.grab().toImage().convertToFormat(QImage::Format_RGB32);
        QList<QImage> pictures;
        for (Index i = 0; i < 5; ++i) {
            const QRect area = w.f.imgTab(i).pixelRect().adjusted(0, 0, 0, -1);
            pictures << shot.copy(QRect(area.topLeft() * kScale, area.size() * kScale));
        }
        return pictures;
    };
    const QList<QImage> before = tabs();
    const QRect markDevice(mark.topLeft() * kScale, mark.size() * kScale);
    const auto markOf = [&](Index tab) { return before[tab].copy(markDevice); };
    const QPoint centre = markDevice.size().width() / 2 * QPoint(1, 1);
    const QPoint ringTop(centre.x(), 1);

    // Tab 0 unanswered; 1 a disc, the selected 2 a ring, 3 a question mark, 4 a ring with a
    // dot, in their colours.
    QImage bare = QImage(QStringLiteral(":/pictures/tab.bmp"))
                      .convertToFormat(QImage::Format_RGB32)
                      .scaled(QSize(122, 24) * kScale)
                      .copy(markDevice);
    bare.setDevicePixelRatio(kScale);
    QCOMPARE(markOf(0), bare);
    QCOMPARE(markOf(1).pixelColor(centre), w.f.imgTab(1).mark().colour);
    QCOMPARE(markOf(2).pixelColor(ringTop), w.f.imgTab(2).mark().colour);
    QCOMPARE(markOf(2).pixelColor(centre),
             QImage(QStringLiteral(":/pictures/tab-current.bmp")).pixelColor(mark.center()));
    QVERIFY(markOf(3).pixelColor(centre) != markOf(1).pixelColor(centre));
    QVERIFY(markOf(3) != markOf(0));
    // Between the ring and its dot: the picture shows, where a disc is filled.
    const QPoint gap = centre + QPoint(int(2.5 * kScale), 0);
    QCOMPARE(markOf(4).pixelColor(centre), w.f.imgTab(4).mark().colour);
    QCOMPARE(markOf(4).pixelColor(ringTop), w.f.imgTab(4).mark().colour);
    QVERIFY(markOf(4).pixelColor(gap) != w.f.imgTab(4).mark().colour);
    QCOMPARE(markOf(1).pixelColor(gap), w.f.imgTab(1).mark().colour);

    // One tab to the left: each picture moves with its mark, pixel for pixel.
    w.window.tabStripScroll().imgLeft_Click();
    const QList<QImage> after = tabs();
    for (Index i = 1; i < 5; ++i)
        QCOMPARE(after[i], before[i]);
}
#endif

int main(int argc, char *argv[])
{
    // Before the application object exists, so that every screen is scaled.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestPresentation test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_presentation.moc"
