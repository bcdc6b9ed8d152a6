#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"
#include "platform/StandardDialogs.h"
#include "window/FrmSearch.h"

#include <QInputDialog>
#include <QListWidget>
#include <QTest>
#include <QTimer>

#include <map>
#include <optional>

using platform::CommandButton;
using platform::Index;
using platform::ListBox;

namespace {

const QString kBase = QStringLiteral("http://lookup.test/whois/");
const QStringList kAvailable = {QStringLiteral(".info"),  QStringLiteral(".biz"),
                                QStringLiteral(".name"),  QStringLiteral(".mobile"),
                                QStringLiteral(".is"),    QStringLiteral(".eu"),
                                QStringLiteral(".uk.com")};
const QStringList kInUse = {QStringLiteral(".co.uk"), QStringLiteral(".com"),
                            QStringLiteral(".org"), QStringLiteral(".org.uk"),
                            QStringLiteral(".net")};

// A shown window with recording browsers and scripted dialogs.
struct Window {
    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    FrmSearch window{kBase, QStringLiteral("about:blank"), RecordingBrowser::factory(log),
                     &dialogs};
    FrmSearchControls &f = window.controls();

    Window() { window.Show(); }

    static void click(CommandButton &button)
    {
        QVERIFY2(button.widget()->isVisible(), qPrintable(button.name() + " is hidden"));
        QTest::mouseClick(button.widget(), Qt::LeftButton);
    }
    // Selects an entry the way a user does: by clicking it; -1 clicks below the last entry.
    static void clickEntry(ListBox &list, Index row)
    {
        auto *view = qobject_cast<QListWidget *>(list.widget());
        QVERIFY(view && view->isVisible() && row < view->count());
        const QPoint at = row >= 0 ? view->visualItemRect(view->item(row)).center()
                                   : QPoint(10, view->viewport()->height() - 5);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    }
    void openPanel() { click(f.cmdPreFixSetup); }
    void lookUp(const QString &label)
    {
        f.txtLookUp.setText(label);
        click(f.cmdSearch);
    }
    // The widget a click at the centre of a control's area inside the window would reach.
    QWidget *widgetOver(const platform::WindowedControl &control) const
    {
        return f.frmSearch.childAt(control.widget()->geometry().center());
    }
};

} // namespace

class TstSuffixPanel : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void moveEntries_data();
    void moveEntries();
    void createNew_data();
    void createNew();
    void inputBoxIsModalAndEmpty_data();
    void inputBoxIsModalAndEmpty();
    void fullListKeepsTheEntry();
    void lookupUsesEditedOrder();
    void removeAfterLookupTakesLastInUse();
    void panelLiesInFrontOfEveryBrowser();
    void panelTakesFocusOnlyWhileShown();
};

void TstSuffixPanel::moveEntries_data()
{
    // Steps: "<.x" clicks entry .x in the available list, ">.x" in the in-use list, and "<"
    // or ">" alone the empty space below the entries; "add", "remove", "addAll" and
    // "removeAll" click the buttons.
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("inUse");
    QTest::addColumn<int>("inUseSelected");

    const QStringList twelve = kInUse + kAvailable;
    auto without = [](QStringList list, const char *entry) {
        list.removeOne(QLatin1String(entry));
        return list;
    };

    QTest::newRow("add moves the selected entry to the end")
        << QStringList{"<.biz", "add"} << without(kAvailable, ".biz")
        << kInUse + QStringList{".biz"} << -1;
    QTest::newRow("a second add without a new selection does nothing")
        << QStringList{"<.biz", "add", "add"} << without(kAvailable, ".biz")
        << kInUse + QStringList{".biz"} << -1;
    QTest::newRow("add leaves the in-use selection alone")
        << QStringList{">.org", "<.eu", "add"} << without(kAvailable, ".eu")
        << kInUse + QStringList{".eu"} << 2;
    QTest::newRow("add then remove puts the entry at the end, not back in place")
        << QStringList{"<.info", "add", ">.info", "remove"}
        << without(kAvailable, ".info") + QStringList{".info"} << kInUse << -1;
    QTest::newRow("remove then add gives the entry the last place in use")
        << QStringList{">.co.uk", "remove", "<.co.uk", "add"} << kAvailable
        << without(kInUse, ".co.uk") + QStringList{".co.uk"} << -1;
    QTest::newRow("a second remove without a new selection does nothing")
        << QStringList{">.com", "remove", "remove"} << kAvailable + QStringList{".com"}
        << without(kInUse, ".com") << -1;
    QTest::newRow("nothing selected: add and remove do nothing")
        << QStringList{"add", "remove"} << kAvailable << kInUse << -1;
    QTest::newRow("add all appends every available entry in order")
        << QStringList{"addAll"} << QStringList() << twelve << -1;
    QTest::newRow("add all then remove all gives the twelve in that order")
        << QStringList{"addAll", "removeAll"} << twelve << QStringList() << -1;
    QTest::newRow("add all on an empty list changes nothing")
        << QStringList{"addAll", "addAll"} << QStringList() << twelve << -1;
    QTest::newRow("remove all on an empty list changes nothing")
        << QStringList{"removeAll", "removeAll"} << kAvailable + kInUse << QStringList() << -1;
    QTest::newRow("a click below the entries keeps the selection")
        << QStringList{">.org", ">", "remove"} << kAvailable + QStringList{".org"}
        << without(kInUse, ".org") << -1;
    QTest::newRow("add all keeps the in-use selection")
        << QStringList{">.net", "addAll"} << QStringList() << twelve << 4;
}

void TstSuffixPanel::moveEntries()
{
    QFETCH(QStringList, steps);
    Window w;
    FrmSearchControls &f = w.f;
    w.openPanel();
    const std::map<QString, CommandButton *> buttons = {
        {QStringLiteral("add"), &f.cmdAdd},
        {QStringLiteral("remove"), &f.cmdRemove},
        {QStringLiteral("addAll"), &f.cmdAddAll},
        {QStringLiteral("removeAll"), &f.cmdRemoveAll},
    };
    for (const QString &step : steps) {
        if (step.startsWith(QLatin1Char('<')) || step.startsWith(QLatin1Char('>'))) {
            ListBox &list = step.startsWith(QLatin1Char('<')) ? f.lstPreFix : f.lstPreFixUse;
            const Index selected = list.ListIndex();
            const QStringList before = f.lstPreFix.items() + f.lstPreFixUse.items();
            const Index row = Index(list.items().indexOf(step.mid(1)));
            Window::clickEntry(list, row);
            // Clicking an entry only selects it.
            QCOMPARE(list.ListIndex(), row < 0 ? selected : row);
            QCOMPARE(f.lstPreFix.items() + f.lstPreFixUse.items(), before);
        } else {
            Window::click(*buttons.at(step));
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
    QVERIFY(f.fraSetup.Visible());
}

void TstSuffixPanel::createNew_data()
{
    QTest::addColumn<std::optional<QString>>("answer");
    QTest::addColumn<QStringList>("available");

    QTest::newRow("a suffix already in use is added again")
        << std::optional<QString>(QStringLiteral(".com")) << kAvailable + QStringList{".com"};
    QTest::newRow("text is kept exactly as typed")
        << std::optional<QString>(QStringLiteral(" Co.UK ")) << kAvailable + QStringList{" Co.UK "};
    QTest::newRow("blanks only are added")
        << std::optional<QString>(QStringLiteral("   ")) << kAvailable + QStringList{"   "};
    QTest::newRow("cancel adds nothing") << std::optional<QString>() << kAvailable;
    QTest::newRow("an empty confirm adds nothing")
        << std::optional<QString>(QString()) << kAvailable;
}

void TstSuffixPanel::createNew()
{
    QFETCH(std::optional<QString>, answer);
    Window w;
    w.dialogs.answers = {answer};
    w.openPanel();
    Window::click(w.f.cmdCreateNew);

    QCOMPARE(w.dialogs.prompts,
             QStringList{QStringLiteral("What is the new prefix?|Create New Prefix")});
    QTEST(w.f.lstPreFix.items(), "available");
    QCOMPARE(w.f.lstPreFixUse.items(), kInUse);
    QVERIFY(w.dialogs.messages.isEmpty());
}

void TstSuffixPanel::inputBoxIsModalAndEmpty_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("returned");

    QTest::newRow("confirm") << QStringLiteral(" .Example ") << true
                             << QStringLiteral(" .Example ");
    QTest::newRow("confirm empty") << QString() << true << QString();
    QTest::newRow("cancel") << QStringLiteral(".com") << false << QString();
}

void TstSuffixPanel::inputBoxIsModalAndEmpty()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QWidget parent;
    parent.show();
    platform::StandardDialogs dialogs(&parent);

    // What the open dialog showed, read before it is answered so that a failed check can
    // never leave it open.
    struct Shown {
        QWidget *parent;
        bool modal;
        QString title, prompt, text;
    };
    std::optional<Shown> shown;
    QTimer::singleShot(0, &parent, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            return;
        }
        shown = Shown{dialog->parentWidget(), dialog->isModal(), dialog->windowTitle(),
                      dialog->labelText(), dialog->textValue()};
        dialog->setTextValue(typed);
        confirm ? dialog->accept() : dialog->reject();
    });
    const QString returned = dialogs.InputBox(QStringLiteral("What is the new prefix?"),
                                              QStringLiteral("Create New Prefix"));
    QVERIFY(shown);
    QCOMPARE(shown->parent, &parent);
    QVERIFY(shown->modal);
    QCOMPARE(shown->title, QStringLiteral("Create New Prefix"));
    QCOMPARE(shown->prompt, QStringLiteral("What is the new prefix?"));
    QCOMPARE(shown->text, QString());
    QTEST(returned, "returned");
}

// A list holds as many entries as a 16-bit position can count; a full list refuses a move
// and the entry stays where it was.
void TstSuffixPanel::fullListKeepsTheEntry()
{
    Window w;
    FrmSearchControls &f = w.f;
    while (f.lstPreFixUse.AddItem(QStringLiteral(".x")))
        ;
    QCOMPARE(f.lstPreFixUse.ListCount(), Index(32767));
    w.openPanel();
    f.lstPreFix.setListIndex(1);
    Window::click(f.cmdAdd);
    Window::click(f.cmdAddAll);
    QCOMPARE(f.lstPreFix.items(), kAvailable);
    QCOMPARE(f.lstPreFixUse.ListCount(), Index(32767));
}

void TstSuffixPanel::lookupUsesEditedOrder()
{
    Window w;
    FrmSearchControls &f = w.f;
    SuffixPanel &panel = w.window.suffixPanel();
    w.dialogs.answers = {QStringLiteral(".com")};
    w.openPanel();
    // In use: drop .co.uk, then add a second .com and .info behind the rest.
    panel.cmdCreateNew_Click();
    f.lstPreFixUse.setListIndex(0);
    panel.cmdRemove_Click();
    f.lstPreFix.setListIndex(Index(f.lstPreFix.ListCount() - 2));
    QCOMPARE(f.lstPreFix.Text(), QStringLiteral(".com"));
    panel.cmdAdd_Click();
    f.lstPreFix.setListIndex(0);
    panel.cmdAdd_Click();
    Window::click(f.cmdDone);
    QVERIFY(!f.fraSetup.Visible());

    const QStringList order = {".com", ".org", ".org.uk", ".net", ".com", ".info"};
    QCOMPARE(f.lstPreFixUse.items(), order);
    w.log->calls.clear();
    w.lookUp(QStringLiteral("example"));

    QCOMPARE(f.imgTab.Count(), Index(order.size()));
    for (Index i = 0; i < order.size(); ++i) {
        QCOMPARE(f.lbPreFix(i).Caption(), order[i]);
        QCOMPARE(w.log->loads(i), QStringList{kBase + QStringLiteral("example") + order[i]});
    }
    // Changing the lists afterwards leaves the tabs as they are.
    w.openPanel();
    Window::click(f.cmdRemoveAll);
    QCOMPARE(f.lbPreFix(5).Caption(), QStringLiteral(".info"));
    QCOMPARE(f.imgTab.Count(), Index(order.size()));
}

void TstSuffixPanel::removeAfterLookupTakesLastInUse()
{
    Window w;
    FrmSearchControls &f = w.f;
    w.lookUp(QStringLiteral("example"));
    QCOMPARE(f.lstPreFixUse.ListIndex(), Index(kInUse.size() - 1));

    w.openPanel();
    Window::click(f.cmdRemove);
    QCOMPARE(f.lstPreFixUse.items(), kInUse.first(kInUse.size() - 1));
    QCOMPARE(f.lstPreFix.items(), kAvailable + QStringList{".net"});
    // Nothing is selected any more, so a second click does nothing.
    Window::click(f.cmdRemove);
    QCOMPARE(f.lstPreFixUse.ListCount(), Index(kInUse.size() - 1));
}

void TstSuffixPanel::panelLiesInFrontOfEveryBrowser()
{
    Window w;
    FrmSearchControls &f = w.f;
    QWidget *panel = f.fraSetup.widget();
    auto coversBrowser = [&](Index i) {
        QWidget *hit = w.widgetOver(f.browserLookup(i));
        return hit && (hit == panel || panel->isAncestorOf(hit));
    };

    QVERIFY(!coversBrowser(0));
    w.openPanel();
    QCOMPARE(f.frmSearch.windowedOrder().first(), QStringLiteral("fraSetup"));
    QVERIFY(panel->geometry().contains(f.frmSearch.rect()));
    QVERIFY(coversBrowser(0));
    Window::click(f.cmdDone);
    QVERIFY(!coversBrowser(0));

    // New browsers, and then one of them brought to the front by selecting its tab.
    w.lookUp(QStringLiteral("example"));
    const Index last = Index(f.browserLookup.Count() - 1);
    QCOMPARE(last, Index(kInUse.size() - 1));
    w.window.tabSelection().imgTab_Click(last);
    QCOMPARE(f.frmSearch.windowedOrder().first(), f.browserLookup(last).displayName());
    QCOMPARE(w.widgetOver(f.browserLookup(last)), f.browserLookup(last).widget());

    w.openPanel();
    QCOMPARE(f.frmSearch.windowedOrder().first(), QStringLiteral("fraSetup"));
    for (Index i = 0; i <= last; ++i)
        QVERIFY2(coversBrowser(i), qPrintable(f.browserLookup(i).displayName()));
    QVERIFY(panel->isAncestorOf(w.widgetOver(f.cmdPreFixSetup)) ||
            w.widgetOver(f.cmdPreFixSetup) == panel);

    // A resize while shown keeps the panel over the whole window.
    f.frmSearch.showNormal();
    const QSize larger = f.frmSearch.size() + QSize(120, 90);
    f.frmSearch.resize(larger);
    QTRY_COMPARE(f.frmSearch.size(), larger);
    QTRY_VERIFY(panel->geometry().contains(f.frmSearch.rect()));
    QVERIFY(coversBrowser(0));
}

void TstSuffixPanel::panelTakesFocusOnlyWhileShown()
{
    Window w;
    FrmSearchControls &f = w.f;
    // The real browser view takes the focus; the recording stand-in must do the same.
    f.browserLookup(0).widget()->setFocusPolicy(Qt::StrongFocus);
    QApplication::setActiveWindow(&f.frmSearch);
    QVERIFY(QTest::qWaitForWindowActive(&f.frmSearch));

    const std::vector<platform::WindowedControl *> stops = {
        &f.txtLookUp,    &f.cmdSearch,    &f.browserLookup(0), &f.lstPreFix,
        &f.lstPreFixUse, &f.cmdAdd,       &f.cmdRemove,        &f.cmdAddAll,
        &f.cmdRemoveAll, &f.cmdCreateNew, &f.cmdDone,          &f.cmdPreFixSetup};
    auto names = [](const std::vector<platform::WindowedControl *> &controls) {
        QStringList list;
        for (const auto *control : controls)
            list << control->name();
        return list;
    };
    // Where Tab goes from txtLookUp, once round the window.
    auto tabRound = [&] {
        std::vector<platform::WindowedControl *> visited;
        f.txtLookUp.widget()->setFocus();
        for (std::size_t i = 0; i <= stops.size(); ++i) {
            QWidget *focus = QApplication::focusWidget();
            const auto it = std::ranges::find_if(
                stops, [focus](auto *control) { return control->widget() == focus; });
            if (it == stops.end() || (!visited.empty() && *it == stops.front()))
                break;
            visited.push_back(*it);
            QTest::keyClick(focus, Qt::Key_Tab);
        }
        return names(visited);
    };

    // The chain itself holds the designed order, whether the panel is shown or not.
    std::vector<platform::WindowedControl *> chain = {&f.txtLookUp};
    for (QWidget *next = f.txtLookUp.widget()->nextInFocusChain(); next != f.txtLookUp.widget();
         next = next->nextInFocusChain()) {
        for (auto *control : stops) {
            if (control->widget() == next)
                chain.push_back(control);
        }
    }
    QCOMPARE(names(chain), names(stops));

    const QStringList panelHidden = {"txtLookUp", "cmdSearch", "browserLookup", "cmdPreFixSetup"};
    QCOMPARE(tabRound(), panelHidden);
    w.openPanel();
    QCOMPARE(tabRound(), names(stops));
    Window::click(f.cmdDone);
    QCOMPARE(tabRound(), panelHidden);
}

QTEST_MAIN(TstSuffixPanel)
#include "tst_suffixpanel.moc"
