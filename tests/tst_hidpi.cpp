#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"

#include "window/FrmSearch.h"

#include <QApplication>
#include <QTest>
#include <QWindow>

using platform::Control;
using platform::Image;
using platform::Index;

// The whole program at twice the pixel density: every test here runs with Qt scaling the
// window by 2, as on a HiDPI screen.
namespace {

const qreal Scale = 2.0;

struct Window {
    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    FrmSearch window{QStringLiteral("http://127.0.0.1:9/whois/"),
                     QStringLiteral("qrc:/start/start.html"), RecordingBrowser::factory(log),
                     &dialogs};
    FrmSearchControls &f = window.controls();

    explicit Window(QSize client = {691, 525})
    {
        window.Show();
        f.frmSearch.showNormal();
        f.frmSearch.resize(client);
    }
    void lookUp(int tabs)
    {
        while (f.lstPreFixUse.ListCount() > 0)
            f.lstPreFixUse.RemoveItem(0);
        for (int i = 0; i < tabs; ++i)
            f.lstPreFixUse.AddItem(QStringLiteral(".s%1").arg(i));
        window.lookupRun().cmdSearch_Click();
    }
    // What the window shows, in device pixels.
    QImage grab() const
    {
        return f.frmSearch.grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
};

QRect expectedPixels(float left, float top, float width, float height)
{
    // 15 twips to a device-independent pixel, whatever the density.
    return QRectF(left / 15, top / 15, width / 15, height / 15).toRect();
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void controlsKeepTheirDesignedPlaces_data();
    void controlsKeepTheirDesignedPlaces();
    void picturesAreDrawnAtTheirLogicalSize_data();
    void picturesAreDrawnAtTheirLogicalSize();
    void resizeLayoutCountsDeviceIndependentPixels();
};

void TestHiDpi::initTestCase()
{
    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    QCOMPARE(w.f.frmSearch.devicePixelRatio(), Scale);
}

void TestHiDpi::controlsKeepTheirDesignedPlaces_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("expected");

    QTest::newRow("text box") << "txtLookUp" << expectedPixels(2520, 90, 2535, 285);
    QTest::newRow("button") << "cmdSearch" << expectedPixels(5160, 120, 1455, 255);
    QTest::newRow("setup button") << "cmdPreFixSetup" << expectedPixels(5160, 480, 1455, 255);
    QTest::newRow("browser") << "browserLookup(0)" << QRect(8, 96, 0, 0);
}

void TestHiDpi::controlsKeepTheirDesignedPlaces()
{
    QFETCH(QString, control);
    QFETCH(QRect, expected);

    Window w;
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    FrmSearchControls &f = w.f;
    const QMap<QString, platform::WindowedControl *> controls = {
        {"txtLookUp", &f.txtLookUp},
        {"cmdSearch", &f.cmdSearch},
        {"cmdPreFixSetup", &f.cmdPreFixSetup},
        {"browserLookup(0)", &f.browserLookup(0)},
    };
    QVERIFY(controls.contains(control));
    const QRect geometry = controls[control]->widget()->geometry();
    if (expected.isEmpty())
        QCOMPARE(geometry.topLeft(), expected.topLeft()); // sized by the resize layout
    else
        QCOMPARE(geometry, expected);
}

void TestHiDpi::picturesAreDrawnAtTheirLogicalSize_data()
{
    // Each picture is compared over its rows that nothing else paints over: the strip's base
    // line runs along the arrows' last rows, and the captions lie over the tabs below row 8.
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("rows");

    QTest::newRow("left arrow") << "imgLeft"
                                << "arrow-left.bmp" << 22;
    QTest::newRow("right arrow") << "imgRight"
                                 << "arrow-right.bmp" << 22;
    QTest::newRow("selected tab") << "imgCurrent(0)"
                                  << "tab-current.bmp" << 8;
    QTest::newRow("second tab") << "imgTab(1)"
                                << "tab.bmp" << 8;
    QTest::newRow("last tab") << "imgTab(3)"
                              << "tab.bmp" << 8;
}

void TestHiDpi::picturesAreDrawnAtTheirLogicalSize()
{
    QFETCH(QString, control);
    QFETCH(QString, picture);
    QFETCH(int, rows);

    Window w;
    w.lookUp(4);
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    FrmSearchControls &f = w.f;
    const QMap<QString, Image *> images = {
        {"imgLeft", &f.imgLeft},
        {"imgRight", &f.imgRight},
        {"imgCurrent(0)", &f.imgCurrent(0)},
        {"imgTab(1)", &f.imgTab(1)},
        {"imgTab(3)", &f.imgTab(3)},
    };
    QVERIFY(images.contains(control));
    const Image &image = *images[control];

    // In device-independent pixels the image is its picture's size, at its twip place.
    const QImage source(QStringLiteral(":/pictures/") + picture);
    QCOMPARE(image.pixelRect(),
             expectedPixels(image.Left(), image.Top(), image.Width(), image.Height()));
    QCOMPARE(image.pixelRect().size(), source.size());

    // On screen every picture pixel covers exactly 2x2 device pixels: the picture is as
    // large as the rest of the window and as sharp as at 1x.
    const QImage shown = w.grab();
    QCOMPARE(shown.size(), f.frmSearch.size() * Scale);
    const QRect area = image.pixelRect();
    const QRect device(area.topLeft() * Scale, QSize(area.width(), rows) * Scale);
    QImage doubled =
        source.convertToFormat(QImage::Format_RGB32)
            .scaled(source.size() * Scale, Qt::IgnoreAspectRatio, Qt::FastTransformation)
            .copy(QRect(QPoint(0, 0), device.size()));
    doubled.setDevicePixelRatio(Scale);
    QCOMPARE(shown.copy(device), doubled);
}

void TestHiDpi::resizeLayoutCountsDeviceIndependentPixels()
{
    Window w({640, 480});
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    FrmSearchControls &f = w.f;
    QVERIFY(QTest::qWaitFor([&] { return f.frmSearch.size() == QSize(640, 480); }));

    // Width and Height are the outer size, frame included, in twips of device-independent
    // pixels, so the layout lands where it would at 1x.
    const QSize outer = f.frmSearch.size().grownBy(f.frmSearch.windowHandle()->frameMargins());
    QCOMPARE(f.frmSearch.Width(), float(outer.width() * 15));
    QCOMPARE(f.frmSearch.Height(), float(outer.height() * 15));
    QCOMPARE(f.imgRight.pixelRect().right() + 1, outer.width() - 16);
    const QRect browser =
        expectedPixels(120, 1440, f.frmSearch.Width() - 360, f.frmSearch.Height() - 2080);
    QCOMPARE(f.browserLookup(0).widget()->geometry(), browser);
}

int main(int argc, char *argv[])
{
    // Before the application object exists, so that every screen is scaled.
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    TestHiDpi test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_hidpi.moc"
