#include "platform/Form.h"
#include "platform/WindowedControl.h"

#include <QTest>

using namespace platform;

namespace {

// A windowed control on a plain widget; `index` -1 makes a control outside any array.
class Pane : public WindowedControl {
public:
    Pane(Container *container, const QString &name, Index index, bool visible = true)
        : WindowedControl(container, name, index, visible, new QWidget)
    {
        widget()->installEventFilter(&m_hides);
    }
    bool shown() const { return widget()->isVisible(); }
    int hides() const { return m_hides.count; }

private:
    struct HideCounter : QObject {
        int count = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            count += event->type() == QEvent::Hide ? 1 : 0;
            return false;
        }
    } m_hides;
};

struct Window {
    Form form;
    Window()
    {
        form.resize(400, 300);
        form.show();
    }
    // Covering that a handler's changes call for is settled once the handler has run.
    static void afterHandler() { QCoreApplication::processEvents(); }
};

} // namespace

// Elements of one array stacked at one place, as result browsers are: only the front one is a
// shown widget, while the model keeps what the handlers set.
class TestCovering : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void onlyTheFrontElementIsShown();
    void coveredElementGetsItsSizeInFront();
    void whatCovers_data();
    void whatCovers();
    void newElementSentBackLeavesTheFrontAlone();
};

void TestCovering::onlyTheFrontElementIsShown()
{
    Window w;
    Pane a(&w.form, QStringLiteral("pane"), 0);
    Pane b(&w.form, QStringLiteral("pane"), 1);
    Pane c(&w.form, QStringLiteral("pane"), 2);
    for (Pane *pane : {&a, &b, &c})
        pane->setGeometry(150, 150, 3000, 3000);
    Window::afterHandler();
    QVERIFY(c.shown());
    QVERIFY(!a.shown() && !b.shown());
    QVERIFY(a.Visible() && b.Visible());
    QVERIFY(a.isCovered() && b.isCovered() && !c.isCovered());

    // Selecting shows the new front one at once, as the user sees it.
    b.ZOrder(0);
    QVERIFY(b.shown());
    QVERIFY(!c.shown() && !a.shown());
    QCOMPARE(w.form.windowedOrder(), QStringList({"pane(1)", "pane(2)", "pane(0)"}));
    QCOMPARE(w.form.childAt(QPoint(50, 50)), b.widget());

    // Hiding the front one shows the one behind it.
    b.setVisible(false);
    QVERIFY(c.shown());
    QVERIFY(!b.shown() && !a.shown());
    b.setVisible(true);
    Window::afterHandler();
    QVERIFY(b.shown());
    QVERIFY(!c.shown());

    // Sending the front one back shows the next.
    b.ZOrder(1);
    QVERIFY(c.shown());
    QVERIFY(!b.shown() && !a.shown());
}

void TestCovering::coveredElementGetsItsSizeInFront()
{
    Window w;
    Pane back(&w.form, QStringLiteral("pane"), 0);
    Pane front(&w.form, QStringLiteral("pane"), 1);
    for (Pane *pane : {&back, &front})
        pane->setGeometry(150, 150, 3000, 3000);
    Window::afterHandler();
    QVERIFY(!back.shown());

    // A resize handler sizes every element.
    for (Pane *pane : {&back, &front}) {
        pane->setWidth(4500);
        pane->setHeight(3750);
    }
    Window::afterHandler();
    QCOMPARE(front.widget()->geometry(), QRect(10, 10, 300, 250));
    QCOMPARE(back.Width(), 4500.0f);
    QVERIFY(!back.shown());

    back.ZOrder(0);
    QVERIFY(back.shown());
    QCOMPARE(back.widget()->geometry(), QRect(10, 10, 300, 250));
    QVERIFY(!front.shown());
}

void TestCovering::whatCovers_data()
{
    // Twips; the back element is always at (300, 300) and 1500 by 1500.
    QTest::addColumn<QRect>("front");
    QTest::addColumn<bool>("frontVisible");
    QTest::addColumn<bool>("sameArray");
    QTest::addColumn<bool>("backShown");

    const QRect same(300, 300, 1500, 1500);
    QTest::newRow("same place") << same << true << true << false;
    QTest::newRow("larger") << QRect(0, 0, 3000, 3000) << true << true << false;
    QTest::newRow("one pixel short") << QRect(315, 300, 1485, 1500) << true << true << true;
    QTest::newRow("beside") << QRect(1800, 300, 1500, 1500) << true << true << true;
    QTest::newRow("front not Visible") << same << false << true << true;
    // Controls of other kinds keep what they cover shown (and in the Tab order).
    QTest::newRow("another control") << same << true << false << true;
}

void TestCovering::whatCovers()
{
    QFETCH(QRect, front);
    QFETCH(bool, frontVisible);
    QFETCH(bool, sameArray);
    QFETCH(bool, backShown);

    Window w;
    Pane back(&w.form, QStringLiteral("pane"), 0);
    back.setGeometry(300, 300, 1500, 1500);
    Pane top(&w.form, sameArray ? QStringLiteral("pane") : QStringLiteral("other"),
             sameArray ? 1 : -1, frontVisible);
    top.setGeometry(front.x(), front.y(), front.width(), front.height());
    Window::afterHandler();
    QCOMPARE(back.shown(), backShown);
    QVERIFY(back.Visible());
    QCOMPARE(top.shown(), frontVisible);
}

void TestCovering::newElementSentBackLeavesTheFrontAlone()
{
    // What creating a result tab does: a new element starts hidden at the front, is shown,
    // then sent to the back.
    Window w;
    Pane first(&w.form, QStringLiteral("pane"), 0);
    first.setGeometry(150, 150, 3000, 3000);
    Window::afterHandler();
    const int hides = first.hides();

    Pane added(&w.form, QStringLiteral("pane"), 1, false);
    added.setGeometry(150, 150, 3000, 3000);
    added.setVisible(true);
    added.ZOrder(1);
    Window::afterHandler();
    QVERIFY(first.shown());
    QVERIFY(!added.shown());
    QVERIFY(added.Visible());
    QCOMPARE(first.hides(), hides);
}

QTEST_MAIN(TestCovering)
#include "tst_covering.moc"
