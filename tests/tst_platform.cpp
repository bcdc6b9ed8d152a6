#include "RecordingBrowser.h"

#include "platform/CommandButton.h"
#include "platform/ControlArray.h"
#include "platform/Form.h"
#include "platform/Image.h"
#include "platform/Label.h"
#include "platform/Line.h"
#include "platform/ListBox.h"

#include <QPushButton>
#include <QTest>

using namespace platform;

class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void listBoxSelection();
    void refusedPuts();
    void clicksGoToTheFrontmostGraphicalControl();
    void doubleClickIsOneClick();
    void windowedLayerFollowsZOrder();
    void loadCopiesElementZeroAsItStands();
    void navigatePairIsOnePageLoad_data();
    void navigatePairIsOnePageLoad();
    void focusedButtonTakesEnterAndSpace_data();
    void focusedButtonTakesEnterAndSpace();
};

void TestPlatform::listBoxSelection()
{
    Form form;
    ListBox list(&form, QStringLiteral("lst"));
    for (const char *item : {"a", "b", "c", "d"})
        list.AddItem(QLatin1String(item));
    QCOMPARE(list.ListIndex(), Index(-1));
    QCOMPARE(list.Text(), QString());

    QVERIFY(list.setListIndex(2));
    QCOMPARE(list.Text(), QStringLiteral("c"));
    // Removing an entry before the selection keeps the same entry selected.
    QVERIFY(list.RemoveItem(0));
    QCOMPARE(list.ListIndex(), Index(1));
    QCOMPARE(list.Text(), QStringLiteral("c"));
    // Removing the selected entry leaves none selected, not its neighbour.
    QVERIFY(list.RemoveItem(1));
    QCOMPARE(list.ListIndex(), Index(-1));
    QCOMPARE(list.Text(), QString());
    QCOMPARE(list.items(), QStringList({QStringLiteral("b"), QStringLiteral("d")}));

    QVERIFY(!list.setListIndex(2));
    QVERIFY(!list.RemoveItem(-1));
    QCOMPARE(list.ListCount(), Index(2));
}

void TestPlatform::refusedPuts()
{
    Form form;
    Image image(&form, QStringLiteral("img"));
    image.setGeometry(150, 150, 300, 300);
    QVERIFY(!image.setWidth(-15));
    QVERIFY(!image.setHeight(-0.5f));
    QCOMPARE(image.Width(), 300.0f);
    QCOMPARE(image.Height(), 300.0f);
    // A negative position is a place beyond the container's edge, not an error.
    QVERIFY(image.setLeft(-450));
    QCOMPARE(image.pixelRect(), QRect(-30, 10, 20, 20));
}

void TestPlatform::clicksGoToTheFrontmostGraphicalControl()
{
    Form form;
    form.resize(200, 100);
    Image back(&form, QStringLiteral("back"));
    Label front(&form, QStringLiteral("front"));
    Image silent(&form, QStringLiteral("silent"));
    Line line(&form, QStringLiteral("line"));
    back.setGeometry(0, 0, 1500, 1500);
    front.setGeometry(0, 0, 750, 750);
    silent.setGeometry(1200, 0, 300, 300);
    line.setX1(0);
    line.setY1(150);
    line.setX2(1500);
    line.setY2(150);
    line.setBorderWidth(4);
    QStringList clicks;
    back.setClickHandler([&] { clicks << QStringLiteral("back"); });
    front.setClickHandler([&] { clicks << QStringLiteral("front"); });
    form.show();

    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(10, 10)); // under the line, on front
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(70, 70));
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(85, 5)); // silent takes it
    front.ZOrder(1);
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseClick(&form, Qt::RightButton, {}, QPoint(10, 10));
    // A press on one control and a release on another is no click.
    QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(85, 5));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(70, 70));
    QCOMPARE(clicks, QStringList({"front", "back", "back"}));
    QCOMPARE(form.graphicalOrder(), QStringList({"line", "silent", "back", "front"}));
}

void TestPlatform::doubleClickIsOneClick()
{
    Form form;
    form.resize(100, 100);
    Image arrow(&form, QStringLiteral("arrow"));
    arrow.setGeometry(0, 0, 600, 600);
    int clicks = 0;
    arrow.setClickHandler([&] { ++clicks; });
    form.show();
    // What a window system delivers: press, release, double-click, release.
    QTest::mouseClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(&form, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks, 1);
}

void TestPlatform::windowedLayerFollowsZOrder()
{
    Form form;
    CommandButton a(&form, QStringLiteral("a"));
    CommandButton b(&form, QStringLiteral("b"));
    CommandButton c(&form, QStringLiteral("c"));
    for (CommandButton *button : {&a, &b, &c})
        button->setGeometry(0, 0, 600, 600);
    form.resize(100, 100);
    form.show();
    QCOMPARE(form.windowedOrder(), QStringList({"c", "b", "a"}));
    c.ZOrder(1);
    a.ZOrder(0);
    QCOMPARE(form.windowedOrder(), QStringList({"a", "b", "c"}));
    // What the user sees and clicks is the front one.
    QCOMPARE(form.childAt(QPoint(5, 5)), a.widget());
}

void TestPlatform::loadCopiesElementZeroAsItStands()
{
    Form form;
    ControlArray<Label> labels(std::make_unique<Label>(&form, QStringLiteral("lb"), 0));
    labels(0).setGeometry(840, 1080, 1815, 255);
    labels(0).setCaption(QStringLiteral("zero"));
    labels(0).setAlignment(Label::Center);
    QList<Index> clicked;
    labels.setClickHandler([&](Index i) { clicked << i; });
    labels(0).setLeft(3000);

    QVERIFY(!labels.Load(2));
    QVERIFY(labels.Load(1));
    QCOMPARE(labels.Count(), Index(2));
    const Label &copy = labels(1);
    QCOMPARE(copy.displayName(), QStringLiteral("lb(1)"));
    QVERIFY(!copy.Visible());
    QCOMPARE(copy.Left(), 3000.0f);
    QCOMPARE(copy.Width(), 1815.0f);
    QCOMPARE(copy.Caption(), QStringLiteral("zero"));
    QCOMPARE(copy.Alignment(), int(Label::Center));
    labels(1).click();
    labels(0).click();
    QCOMPARE(clicked, QList<Index>({1, 0}));
}

void TestPlatform::navigatePairIsOnePageLoad_data()
{
    QTest::addColumn<QStringList>("calls"); // "1:addr" is Navigate, "2:addr" Navigate2
    QTest::addColumn<QStringList>("loads");
    QTest::newRow("pair") << QStringList{"1:a", "2:a"} << QStringList{"a"};
    QTest::newRow("pair twice reloads")
        << QStringList{"1:a", "2:a", "1:a", "2:a"} << QStringList{"a", "a"};
    QTest::newRow("different second") << QStringList{"1:a", "2:b"} << QStringList{"a", "b"};
    QTest::newRow("second alone") << QStringList{"2:a"} << QStringList{"a"};
    QTest::newRow("second twice") << QStringList{"1:a", "2:a", "2:a"} << QStringList{"a", "a"};
    QTest::newRow("first twice") << QStringList{"1:a", "1:a"} << QStringList{"a", "a"};
}

void TestPlatform::navigatePairIsOnePageLoad()
{
    QFETCH(QStringList, calls);
    QFETCH(QStringList, loads);
    Form form;
    auto log = std::make_shared<BrowserLog>();
    ControlArray<WebBrowser> browsers(RecordingBrowser::factory(log)(&form, "b", 0, true));
    QVERIFY(browsers.Load(1));
    for (const QString &call : calls) {
        const QString address = call.mid(2);
        if (call.startsWith(QLatin1Char('1')))
            browsers(0).Navigate(address);
        else
            browsers(0).Navigate2(address);
        // Another browser's calls never pair with this one's.
        browsers(1).Navigate2(address);
    }
    QCOMPARE(log->loads(0), loads);
    QCOMPARE(log->loads(1).size(), calls.size());
}

void TestPlatform::focusedButtonTakesEnterAndSpace_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Return") << int(Qt::Key_Return) << 1;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 1;
    QTest::newRow("Space") << int(Qt::Key_Space) << 1;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
}

void TestPlatform::focusedButtonTakesEnterAndSpace()
{
    QFETCH(int, key);
    QFETCH(int, clicks);
    Form form;
    CommandButton button(&form, QStringLiteral("cmd"));
    CommandButton other(&form, QStringLiteral("other"));
    button.setGeometry(0, 0, 1500, 300);
    other.setGeometry(0, 600, 1500, 300);
    int pressed = 0;
    int otherPressed = 0;
    button.setClickHandler([&] { ++pressed; });
    other.setClickHandler([&] { ++otherPressed; });
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    button.widget()->setFocus();
    QTest::keyClick(button.widget(), Qt::Key(key));
    QCOMPARE(pressed, clicks);
    // Neither button is a default button.
    QCOMPARE(otherPressed, 0);
    QVERIFY(!static_cast<QPushButton *>(other.widget())->isDefault());
}

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
