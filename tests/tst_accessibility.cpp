#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"

#include "window/FrmSearch.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QTest>

using platform::Index;

namespace {

struct Window {
    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    FrmSearch window{QStringLiteral("http://127.0.0.1:9/whois/"),
                     QStringLiteral("qrc:/start/start.html"), RecordingBrowser::factory(log),
                     &dialogs};
    FrmSearchControls &f = window.controls();

    Window()
    {
        window.Show();
        f.frmSearch.showNormal();
        f.frmSearch.resize(691, 525);
    }
    void lookUp(const QStringList &suffixes)
    {
        while (f.lstPreFixUse.ListCount() > 0)
            f.lstPreFixUse.RemoveItem(0);
        for (const QString &suffix : suffixes)
            f.lstPreFixUse.AddItem(suffix);
        f.txtLookUp.setText(QStringLiteral("example"));
        window.lookupRun().cmdSearch_Click();
    }
    QAccessibleInterface *form() const
    {
        return QAccessible::queryAccessibleInterface(&f.frmSearch);
    }
};

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

QString describe(QAccessibleInterface *child)
{
    const char *role = QMetaEnum::fromType<QAccessible::Role>().valueToKey(child->role());
    return QLatin1String(role) + QLatin1Char(' ') + child->text(QAccessible::Name);
}

QStringList describeAll(QAccessibleInterface *parent)
{
    QStringList described;
    for (QAccessibleInterface *child : paintedChildren(parent))
        described << describe(child);
    return described;
}

QAccessibleInterface *paintedChild(QAccessibleInterface *parent, const QString &described,
                                   int occurrence = 0)
{
    for (QAccessibleInterface *child : paintedChildren(parent)) {
        if (describe(child) == described && occurrence-- == 0)
            return child;
    }
    return nullptr;
}

QStringList selectedTabs(QAccessibleInterface *form)
{
    QStringList selected;
    for (QAccessibleInterface *child : paintedChildren(form)) {
        if (child->state().selected)
            selected << describe(child);
    }
    return selected;
}

QStringList suffixes(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral(".s%1").arg(i);
    return list;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void tabsAreNamedByTheirCaptions_data();
    void tabsAreNamedByTheirCaptions();
    void selectedTabFollowsTheActions_data();
    void selectedTabFollowsTheActions();
    void standardControlsKeepTheirNames();
    void placesAndHitTesting();
    void interfacesEndWithTheirControls();
};

void TestAccessibility::tabsAreNamedByTheirCaptions_data()
{
    QTest::addColumn<QList<QStringList>>("lookups");
    QTest::addColumn<QStringList>("tabs");

    QTest::newRow("before any lookup") << QList<QStringList>{} << QStringList{"Velnor"};
    QTest::newRow("default suffixes")
        << QList<QStringList>{{".co.uk", ".com", ".org", ".org.uk", ".net"}}
        << QStringList{".co.uk", ".com", ".org", ".org.uk", ".net"};
    // A shorter second lookup renames only tab 0; the other tabs keep their captions.
    QTest::newRow("second, shorter lookup") << QList<QStringList>{{".com", ".net", ".org"}, {".eu"}}
                                            << QStringList{".eu", ".net", ".org"};
}

void TestAccessibility::tabsAreNamedByTheirCaptions()
{
    QFETCH(QList<QStringList>, lookups);
    QFETCH(QStringList, tabs);

    Window w;
    for (const QStringList &lookup : lookups)
        w.lookUp(lookup);

    // Reading order: the label and the arrows, then each tab's picture and its caption.
    QStringList expected = {"StaticText What is the domain name?", "Button Scroll tabs left",
                            "Button Scroll tabs right"};
    for (const QString &tab : tabs)
        expected << "PageTab " + tab << "StaticText " + tab;
    QAccessibleInterface *form = w.form();
    QVERIFY(form);
    QCOMPARE(describeAll(form), expected);

    for (int i = 0; i < form->childCount(); ++i) {
        QAccessibleInterface *child = form->child(i);
        QCOMPARE(form->indexOfChild(child), i);
        QCOMPARE(child->parent(), form);
    }
}

void TestAccessibility::selectedTabFollowsTheActions_data()
{
    // Each action presses a child through assistive technology: "tab N", "caption N", or an
    // arrow; the strip holds twelve tabs, more than the window shows.
    QTest::addColumn<QStringList>("actions");
    QTest::addColumn<QString>("selected");

    QTest::newRow("start-up") << QStringList{} << ".s0";
    QTest::newRow("tab") << QStringList{"tab 2"} << ".s2";
    QTest::newRow("caption") << QStringList{"tab 2", "caption 5"} << ".s5";
    QTest::newRow("back to tab 0") << QStringList{"caption 7", "tab 0"} << ".s0";
    // The arrows select currentTab again after shifting; the selection stays where it was.
    QTest::newRow("arrows") << QStringList{"tab 3", "left", "left", "right"} << ".s3";
}

void TestAccessibility::selectedTabFollowsTheActions()
{
    QFETCH(QStringList, actions);
    QFETCH(QString, selected);

    Window w;
    w.lookUp(suffixes(12));
    QAccessibleInterface *form = w.form();
    const float firstTabLeft = w.f.imgTab(0).Left();
    int shifts = 0;

    for (const QString &action : actions) {
        const QStringList words = action.split(QLatin1Char(' '));
        QAccessibleInterface *target = nullptr;
        if (words[0] == QLatin1String("tab"))
            target = paintedChild(form, "PageTab .s" + words[1]);
        else if (words[0] == QLatin1String("caption"))
            target = paintedChild(form, "StaticText .s" + words[1]);
        else
            target = paintedChild(form, "Button Scroll tabs " + words[0]);
        QVERIFY2(target, qPrintable(action));
        QVERIFY(target->actionInterface());
        QCOMPARE(target->actionInterface()->actionNames(),
                 QStringList{QAccessibleActionInterface::pressAction()});
        target->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        shifts += words[0] == QLatin1String("left") ? -1 : words[0] == QLatin1String("right");
    }

    QCOMPARE(selectedTabs(form), QStringList{"PageTab " + selected});
    QCOMPARE("PageTab .s" + QString::number(w.f.currentTab), "PageTab " + selected);
    QCOMPARE(w.f.imgTab(0).Left(), firstTabLeft + float(shifts) * w.f.imgTab(0).Width());
    for (QAccessibleInterface *child : paintedChildren(form)) {
        // Only tabs can be selected; captions and arrows cannot.
        QCOMPARE(child->state().selectable, child->role() == QAccessible::PageTab);
    }
}

void TestAccessibility::standardControlsKeepTheirNames()
{
    Window w;
    const auto named = [](QWidget *widget) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(widget);
        return iface ? describe(iface) : QString();
    };
    QCOMPARE(named(w.f.cmdSearch.widget()), "Button Look up");
    QCOMPARE(named(w.f.cmdPreFixSetup.widget()), "Button Pre-fix Setup");
    QCOMPARE(named(w.f.cmdDone.widget()), "Button Done");
    // Fields are named by the painted labels that stand before them.
    QCOMPARE(named(w.f.txtLookUp.widget()), "EditableText What is the domain name?");
    QCOMPARE(named(w.f.lstPreFixUse.widget()), "List Domain pre-fixes to use");

    // The widgets stay children of the window alongside the painted controls.
    QAccessibleInterface *form = w.form();
    QAccessibleInterface *button = QAccessible::queryAccessibleInterface(w.f.cmdSearch.widget());
    const int index = form->indexOfChild(button);
    QVERIFY(index >= 0);
    QCOMPARE(form->child(index), button);

    // The setup panel's painted labels are read once it is shown.
    w.window.suffixPanel().cmdPreFixSetup_Click();
    QAccessibleInterface *panel = QAccessible::queryAccessibleInterface(w.f.fraSetup.panel());
    QVERIFY(panel);
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

void TestAccessibility::placesAndHitTesting()
{
    Window w;
    w.lookUp(suffixes(12));
    QVERIFY(QTest::qWaitForWindowExposed(&w.f.frmSearch));
    QAccessibleInterface *form = w.form();
    const auto global = [&](QPoint local) { return w.f.frmSearch.mapToGlobal(local); };
    const auto hit = [&](QPoint local) {
        const QPoint at = global(local);
        return form->childAt(at.x(), at.y());
    };

    QAccessibleInterface *arrow = paintedChild(form, "Button Scroll tabs right");
    QCOMPARE(arrow->rect(),
             QRect(global(w.f.imgRight.pixelRect().topLeft()), w.f.imgRight.pixelRect().size()));
    QCOMPARE(hit(w.f.imgRight.pixelRect().center()), arrow);

    w.window.tabSelection().imgTab_Click(2);
    // Tab 2's selected picture lies over its tab, and still the tab is found there; a tab's
    // caption lies over its picture.
    const QPoint pictureOnly = w.f.imgTab(2).pixelRect().topLeft() + QPoint(20, 3);
    QCOMPARE(hit(pictureOnly), paintedChild(form, "PageTab .s2"));
    QCOMPARE(hit(w.f.lbPreFix(1).pixelRect().center()), paintedChild(form, "StaticText .s1"));
    // Over the pages, the one in front: the selected tab's.
    QCOMPARE(hit(w.f.browserLookup(0).widget()->geometry().center()),
             QAccessible::queryAccessibleInterface(w.f.browserLookup(2).widget()));
    QCOMPARE(hit(w.f.txtLookUp.widget()->geometry().center()),
             QAccessible::queryAccessibleInterface(w.f.txtLookUp.widget()));

    // Tabs shifted out of the window are off screen, not gone.
    QAccessibleInterface *first = paintedChild(form, "PageTab .s0");
    QVERIFY(!first->state().offscreen);
    for (int i = 0; i < 3; ++i)
        w.window.tabStripScroll().imgLeft_Click();
    QVERIFY(w.f.imgTab(0).pixelRect().right() < 0);
    QVERIFY(first->state().offscreen);
    QVERIFY(!first->state().invisible);
}

void TestAccessibility::interfacesEndWithTheirControls()
{
    QAccessible::Id tab = 0;
    QAccessible::Id arrow = 0;
    {
        Window w;
        w.lookUp({".com", ".net"});
        QAccessibleInterface *form = w.form();
        tab = QAccessible::uniqueId(paintedChild(form, "PageTab .net"));
        arrow = QAccessible::uniqueId(paintedChild(form, "Button Scroll tabs left"));
        QVERIFY(QAccessible::accessibleInterface(tab));
        QVERIFY(QAccessible::accessibleInterface(arrow));
    }
    // A screen reader holding on to them finds nothing, rather than a dangling control.
    QVERIFY(!QAccessible::accessibleInterface(tab));
    QVERIFY(!QAccessible::accessibleInterface(arrow));
}

QTEST_MAIN(TestAccessibility)
#include "tst_accessibility.moc"
