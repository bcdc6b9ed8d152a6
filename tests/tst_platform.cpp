#include "RecordingBrowser.h"
#include "WindowFixture.h"

#include "platform/forms/CommandButton.h"
#include "platform/forms/ControlArray.h"
#include "platform/forms/Form.h"
#include "platform/forms/Label.h"
#include "platform/forms/StandardDialogs.h"
#include "platform/webengine/EngineCommandLine.h"
#include "window/ProgramOptions.h"

#if LOOKUP_RDAP
#include "EngineFixture.h"
#include "LoopbackRegistry.h"
#include "platform/rdap/RdapBootstrap.h"
#include "platform/rdap/RdapClient.h"
#endif

#include <QInputDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <memory>
#include <optional>

using namespace platform;

namespace {

// A windowed control on a plain widget; `index` -1 makes a control outside any array.
class Pane : public WindowedControl {
public:
    Pane(Container *container, const QString &name, Index index, bool visible = true)
        : WindowedControl(container, name, index, visible, new QWidget)
    {
    }
    bool shown() const { return widget()->isVisible(); }
};

// A shown form; the covering that a handler's changes call for is settled once it has run.
struct ShownForm : Form {
    ShownForm()
    {
        resize(400, 300);
        show();
    }
    static void afterHandler() { QCoreApplication::processEvents(); }
};

} // namespace

// The controls, layers and browser adapter that the handlers are written against.
class TestPlatform : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void loadCopiesElementZeroAsItStands();
    void navigatePairIsOnePageLoad_data();
    void navigatePairIsOnePageLoad();
    void focusedButtonTakesEnterAndSpace_data();
    void focusedButtonTakesEnterAndSpace();
    void inputBoxIsModalAndEmpty_data();
    void inputBoxIsModalAndEmpty();
    // Elements of one array stacked at one place, as result browsers are: only the front one
    // is a shown widget, while the model keeps what the handlers set.
    void onlyTheFrontElementIsShown();
    void whatCovers_data();
    void whatCovers();
    void growingFormTakesClicksOnWhatComesIntoView();
    void orderHoldsWhenAControlGoes();
    void engineSwitchesFollowTheSeparator_data();
    void engineSwitchesFollowTheSeparator();
#if LOOKUP_RDAP
    // The RDAP client: which server it asks, what each answer means, its bootstrap, its load.
    void registryServerChoice_data();
    void registryServerChoice();
    void registryAnswers_data();
    void registryAnswers();
    void registryListOncePerRunAndDrops();
    void registryLoadKeepsItsBounds();
#endif
};

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
    QTest::newRow("pair twice") << QStringList{"1:a", "2:a", "1:a", "2:a"} << QStringList{"a", "a"};
    QTest::newRow("different second") << QStringList{"1:a", "2:b"} << QStringList{"a", "b"};
    QTest::newRow("second alone") << QStringList{"2:a"} << QStringList{"a"};
    QTest::newRow("second twice") << QStringList{"1:a", "2:a", "2:a"} << QStringList{"a", "a"};
    QTest::newRow("first twice") << QStringList{"1:a", "1:a"} << QStringList{"a", "a"};
}

void TestPlatform::navigatePairIsOnePageLoad()
{
    QFETCH(QStringList, calls);
    Form form;
    auto log = std::make_shared<BrowserLog>();
    ControlArray<WebBrowser> browsers(RecordingBrowser::factory(log)(&form, "b", 0, true));
    QVERIFY(browsers.Load(1));
    for (const QString &call : calls) {
        const QString address = call.mid(2);
        call.startsWith(u'1') ? browsers(0).Navigate(address) : browsers(0).Navigate2(address);
        // Another browser's calls never pair with this one's.
        browsers(1).Navigate2(address);
    }
    QTEST(log->loads(0), "loads");
    QCOMPARE(log->loads(1).size(), calls.size());
}

void TestPlatform::focusedButtonTakesEnterAndSpace_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("clicks");
    QTest::newRow("Return") << int(Qt::Key_Return) << 1;
    QTest::newRow("Space") << int(Qt::Key_Space) << 1;
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0;
}

void TestPlatform::focusedButtonTakesEnterAndSpace()
{
    QFETCH(int, key);
    ShownForm form;
    CommandButton button(&form, QStringLiteral("cmd"));
    CommandButton other(&form, QStringLiteral("other"));
    button.setGeometry(0, 0, 1500, 300);
    other.setGeometry(0, 600, 1500, 300);
    int pressed = 0;
    int otherPressed = 0;
    button.setClickHandler([&] { ++pressed; });
    other.setClickHandler([&] { ++otherPressed; });
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    button.widget()->setFocus();
    testwindow::holdKey(button.widget(), Qt::Key(key)); // counts once
    QTEST(pressed, "clicks");
    // Neither button is a default button.
    QCOMPARE(otherPressed, 0);
}

void TestPlatform::inputBoxIsModalAndEmpty_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("confirm");
    QTest::addColumn<QString>("returned");
    QTest::newRow("confirm") << " .Example " << true << " .Example ";
    QTest::newRow("cancel") << ".com" << false << QString();
}

void TestPlatform::inputBoxIsModalAndEmpty()
{
    QFETCH(QString, typed);
    QFETCH(bool, confirm);
    QWidget parent;
    parent.show();
    StandardDialogs dialogs(&parent);
    // What the open dialog showed, read before it is answered so that a failed check can
    // never leave it open.
    std::optional<QStringList> shown;
    QTimer::singleShot(0, &parent, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<QInputDialog *>(modal);
        if (!dialog) {
            if (modal)
                modal->close();
            return;
        }
        shown = QStringList{dialog->parentWidget() == &parent ? "child" : "not a child",
                            dialog->isModal() ? "modal" : "modeless", dialog->windowTitle(),
                            dialog->labelText(), dialog->textValue()};
        dialog->setTextValue(typed);
        confirm ? dialog->accept() : dialog->reject();
    });
    const QString returned = dialogs.InputBox(QStringLiteral("What is the new prefix?"),
                                              QStringLiteral("Create New Prefix"));
    QCOMPARE(shown, QStringList({"child", "modal", "Create New Prefix", "What is the new prefix?",
                                 QString()}));
    QTEST(returned, "returned");
}

void TestPlatform::onlyTheFrontElementIsShown()
{
    ShownForm form;
    Pane a(&form, QStringLiteral("pane"), 0);
    Pane b(&form, QStringLiteral("pane"), 1);
    Pane c(&form, QStringLiteral("pane"), 2);
    for (Pane *pane : {&a, &b, &c})
        pane->setGeometry(150, 150, 3000, 3000);
    ShownForm::afterHandler();
    QVERIFY(c.shown() && !a.shown() && !b.shown());
    QVERIFY(a.Visible() && b.Visible());

    // Selecting shows the new front one at once, as the user sees it.
    b.ZOrder(0);
    QVERIFY(b.shown() && !c.shown() && !a.shown());
    QCOMPARE(form.windowedOrder(), QStringList({"pane(1)", "pane(2)", "pane(0)"}));
    QCOMPARE(form.childAt(QPoint(50, 50)), b.widget());
    // Hiding the front one shows the one behind it; sending it back shows the next.
    b.setVisible(false);
    QVERIFY(c.shown() && !b.shown());
    b.setVisible(true);
    ShownForm::afterHandler();
    QVERIFY(b.shown() && !c.shown());
    b.ZOrder(1);
    QVERIFY(c.shown() && !b.shown());

    // A resize handler sizes every element; a covered one gets its size when it comes to
    // the front.
    for (Pane *pane : {&a, &b, &c}) {
        pane->setWidth(4500);
        pane->setHeight(3750);
    }
    ShownForm::afterHandler();
    QCOMPARE(a.Width(), 4500.0f);
    a.ZOrder(0);
    QCOMPARE(a.widget()->geometry(), QRect(10, 10, 300, 250));

    // What creating a result tab does: a new element starts hidden at the front, is shown,
    // then sent to the back, behind the one in front.
    Pane added(&form, QStringLiteral("pane"), 3, false);
    added.setGeometry(150, 150, 4500, 3750);
    added.setVisible(true);
    added.ZOrder(1);
    ShownForm::afterHandler();
    QVERIFY(a.shown() && !added.shown() && added.Visible());
}

void TestPlatform::growingFormTakesClicksOnWhatComesIntoView()
{
    // A form notes what lies inside it when it paints, and finds clicks in that note.
    ShownForm form;
    Label far(&form, QStringLiteral("far"));
    far.setGeometry(6150, 150, 600, 300);
    form.grab();
    QCOMPARE(form.graphicalAt(QPoint(415, 15)), nullptr);
    form.resize(500, 300);
    form.grab();
    QCOMPARE(form.graphicalAt(QPoint(415, 15)), &far);
}

void TestPlatform::orderHoldsWhenAControlGoes()
{
    ShownForm form;
    auto first = std::make_unique<Label>(&form, QStringLiteral("first"));
    Label second(&form, QStringLiteral("second"));
    Label third(&form, QStringLiteral("third"));
    first.reset();
    third.ZOrder(1);
    third.setGeometry(0, 0, 300, 300);
    QCOMPARE(form.graphicalOrder(), QStringList({"second", "third"}));
    QCOMPARE(form.graphicalAt(QPoint(10, 10)), &third);
}

void TestPlatform::whatCovers_data()
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

void TestPlatform::whatCovers()
{
    QFETCH(QRect, front);
    QFETCH(bool, frontVisible);
    QFETCH(bool, sameArray);
    ShownForm form;
    Pane back(&form, QStringLiteral("pane"), 0);
    back.setGeometry(300, 300, 1500, 1500);
    Pane top(&form, sameArray ? QStringLiteral("pane") : QStringLiteral("other"),
             sameArray ? 1 : -1, frontVisible);
    top.setGeometry(front.x(), front.y(), front.width(), front.height());
    ShownForm::afterHandler();
    QTEST(back.shown(), "backShown");
    QCOMPARE(top.shown(), frontVisible);
}

void TestPlatform::engineSwitchesFollowTheSeparator_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QByteArray>("userFlags"); // null: QTWEBENGINE_CHROMIUM_FLAGS unset
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QByteArray>("engineFlags"); // QTWEBENGINE_CHROMIUM_FLAGS afterwards
    QTest::addColumn<bool>("asked");             // --help or --version is the program's

    const QStringList app = {"quillet-lookup"};
    const QStringList sep = {"--webEngineArgs"};
    const QStringList ours = {"--process-per-site", "--disable-gpu"};
    const QStringList jitless = {"--js-flags=--jitless --no-memory-reducer"};
    const QByteArray none;
    QTest::newRow("Qt options stay before, -reverse is one")
        << app + QStringList{"-platform", "offscreen", "-reverse"} << none
        << app + QStringList{"-platform", "offscreen", "-reverse"} + sep + ours + jitless << none
        << false;
    // The engine reads no switch after a lone "--": ours go before anything of the user's.
    QTest::newRow("user's engine switches after ours")
        << app + sep + QStringList{"--no-sandbox", "--", "--version"} << none
        << app + sep + ours + jitless + QStringList{"--no-sandbox", "--", "--version"} << none
        << false;
    // Qt 6.4's engine takes only this exact spelling as the start of its switches.
    QTest::newRow("separator spelt otherwise")
        << app + QStringList{"--WEBENGINEARGS", "--help"} << none
        << app + QStringList{"--WEBENGINEARGS", "--help"} + sep + ours + jitless << none << true;
    QTest::newRow("user's V8 switches keep --jitless")
        << app + sep + QStringList{"--js-flags=--no-lazy"} << none
        << app + sep + ours + QStringList{"--js-flags=--jitless --no-memory-reducer --no-lazy"}
        << none << false;
    // The engine takes only the last --js-flags, and after "--" one is a plain argument.
    const QStringList plain = {" -- ", "--js-flags=--no-jitless"};
    QTest::newRow("user's V8 switches twice, and after --")
        << app + sep + QStringList{"-js-flags=--no-jitless", " --js-flags=--no-lazy"} + plain
        << none << app + sep + ours + QStringList{jitless[0] + " --no-lazy"} + plain << none
        << false;
    // The engine reads the variable instead of the command line: ours go there.
    QTest::newRow("user's flags")
        << app + sep + QStringList{"--single-process"}
        << QByteArray("--disable-smooth-scrolling \"--js-flags=--no-lazy --no-opt\"  -- x")
        << app + sep + QStringList{"--single-process"}
        << QByteArray("--process-per-site --disable-gpu "
                      "\"--js-flags=--jitless --no-memory-reducer --no-lazy --no-opt\" "
                      "--disable-smooth-scrolling -- x")
        << false;
    QTest::newRow("user's flags ending the switches")
        << app << QByteArray("-- --js-flags=--no-jitless") << app
        << QByteArray(
               "--process-per-site --disable-gpu \"--js-flags=--jitless --no-memory-reducer\" "
               "-- --js-flags=--no-jitless")
        << false;
}

void TestPlatform::engineSwitchesFollowTheSeparator()
{
    QFETCH(QStringList, given);
    QFETCH(QByteArray, userFlags);

    const QByteArray saved = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const bool wasSet = qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS");
    userFlags.isNull() ? qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS")
                       : qputenv("QTWEBENGINE_CHROMIUM_FLAGS", userFlags);
    QByteArrayList storage;
    std::vector<char *> argv;
    for (const QString &arg : given)
        storage << arg.toUtf8();
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    EngineCommandLine commandLine(int(given.size()), argv.data());
    const QByteArray engineFlags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    wasSet ? qputenv("QTWEBENGINE_CHROMIUM_FLAGS", saved) : qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");

    QStringList result;
    for (int i = 0; i < commandLine.argc(); ++i)
        result << QString::fromUtf8(commandLine.argv()[i]);
    QTEST(result, "expected");
    QCOMPARE(commandLine.argv()[commandLine.argc()], nullptr);
    QTEST(engineFlags, "engineFlags");
    QTEST(ProgramOptions(int(given.size()), argv.data()).asked(), "asked");
}

#if LOOKUP_RDAP
namespace {

using platform::RegistryAnswer;
using Reply = LoopbackRegistry::Reply;

// "record | registered | expires | last changed | registrar | status values" ("-" for what is
// not given), "no record", or "unknown: " and the reason.
QString described(const RegistryAnswer &answer)
{
    if (answer.outcome != RegistryAnswer::Outcome::Record)
        return answer.reason.isEmpty() ? QStringLiteral("no record") : "unknown: " + answer.reason;
    QStringList parts{QStringLiteral("record")};
    for (const QDate &date : {answer.registered, answer.expires, answer.lastChanged})
        parts << date.toString(Qt::ISODate);
    parts << answer.registrar << answer.status.join(QStringLiteral(", "));
    for (QString &part : parts)
        part = part.isEmpty() ? QStringLiteral("-") : part;
    return parts.join(QStringLiteral(" | "));
}

} // namespace

void TestPlatform::registryServerChoice_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("fromLoopback"); // where the bootstrap file came from
    QTest::addColumn<QString>("server");    // "none": no entry matches
    QTest::newRow("longest run") << "example.co.uk" << false << "https://co.example/rdap/";
    QTest::newRow("shorter run") << "example.org.uk" << false << "https://uk.example/";
    QTest::newRow("whole labels") << "example.eco.uk" << false << "https://uk.example/";
    QTest::newRow("any case") << "Example.AC.uk" << false << "https://co.example/rdap/";
    QTest::newRow("https preferred") << "example.both" << true << "https://secure.example/";
    QTest::newRow("plain http refused") << "example.plain" << false << "";
    QTest::newRow("plain http, loopback") << "example.plain" << true << "http://plain.example/";
    QTest::newRow("not listed") << "example.zz" << false << "none";
}

void TestPlatform::registryServerChoice()
{
    QFETCH(QString, name);
    QFETCH(bool, fromLoopback);
    const auto bootstrap = platform::RdapBootstrap::parse(R"({"version": "1.0", "services": [
        [["uk"], ["https://uk.example/"]],
        [["co.uk", "ac.uk"], ["https://co.example/rdap"]],
        [["both"], ["http://plain.example/", "https://secure.example/"]],
        [["plain"], ["http://plain.example/"]]]})",
                                                          fromLoopback);
    QVERIFY(bootstrap);
    const std::optional<QUrl> server = bootstrap->serverFor(name);
    QTEST(server ? server->toString() : QStringLiteral("none"), "server");
}

void TestPlatform::registryAnswers_data()
{
    QTest::addColumn<int>("reply");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("trusted"); // the loopback TLS certificate
    QTest::addColumn<int>("requests"); // for the name, at the registry
    QTest::addColumn<QString>("answer");
    const auto row = [](const char *tag, Reply reply, int requests, const QString &answer,
                        const QString &name = QStringLiteral("example.test"), bool trusted = true) {
        QTest::newRow(tag) << int(reply) << name << trusted << requests << answer;
    };
    const QString full = "record | 1995-08-14 | 2031-08-13 | 2024-08-14 | Stand-in Registrar Ltd | "
                         "client delete prohibited, client transfer prohibited, client update "
                         "prohibited";
    const QString limited = "unknown: the registry limits how often it answers";
    const QString tooLarge = "unknown: an answer over 1 MiB";
    row("full", Reply::Full, 1, full);
    row("minimal", Reply::Minimal, 1, "record | - | - | - | - | -");
    row("redacted contacts", Reply::Redacted, 1, full);
    row("no record", Reply::NoRecord, 1, "no record");
    row("429, then answered", Reply::RateLimitedOnce, 2, full);
    row("429 twice", Reply::RateLimited, 2, limited);
    row("429 for over 30 s", Reply::RateLimitedLong, 1, limited);
    row("500", Reply::ServerError, 1, "unknown: HTTP status 500");
    row("never answers", Reply::Silent, 1, "unknown: no answer within 1.5 seconds");
    row("malformed JSON", Reply::Malformed, 1, "unknown: an answer that is not RDAP");
    row("over 1 MiB, length given", Reply::Oversized, 1, tooLarge);
    row("over 1 MiB, streamed", Reply::OversizedStream, 1, tooLarge);
    row("another name", Reply::OtherName, 1, "unknown: an answer about another name");
    row("hostile text", Reply::Hostile, 1,
        "record | 1995-08-14 | 2031-08-13 | 2024-08-14 | Stand-in Registrar Ltd " +
            QString(76, u'x') + "… | pending delete, redemption period, " + QString(39, u's') +
            "…, " + QStringList(7, "active").join(", "));
    row("redirect to https", Reply::ToHttps, 2, full);
    row("redirect to untrusted https", Reply::ToHttps, 1, "unknown: no trusted TLS connection",
        "example.test", false);
    row("redirect to http", Reply::ToHttp, 1,
        "unknown: a redirect to an address that is not https");
    row("redirect loop", Reply::RedirectLoop, 4, "unknown: more than 3 redirects");
    row("suffix not listed", Reply::Full, 0, "unknown: no RDAP service is listed for .unlisted",
        "example.unlisted");
    row("not a host name", Reply::Full, 0, "unknown: not a domain name in ASCII", "a/b.test");
}

void TestPlatform::registryAnswers()
{
    QFETCH(int, reply);
    QFETCH(QString, name);
    QFETCH(bool, trusted);
    LoopbackRegistry registry({{"example.test", Reply(reply)}}, Reply::NoRecord, {"test"}, 1,
                              loopbackTls());
    platform::RdapClient client(registry.bootstrapUrl());
    client.setTiming(1500, 10);
    if (trusted) {
        QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
        tls.setCaCertificates({loopbackTls().localCertificate()});
        client.setTlsConfiguration(tls);
    }
    std::optional<RegistryAnswer> answer;
    client.ask(name, [&answer](const RegistryAnswer &given) { answer = given; });
    QTRY_VERIFY_WITH_TIMEOUT(answer, 10000);
    QTEST(described(*answer), "answer");
    QTEST(registry.requests(name), "requests");
    // What each request asks for; and no cookie goes back, though every reply sets one.
    const QByteArray head = registry.lastRequest(name).toLower();
    QVERIFY(head.isEmpty() || head.contains("\r\naccept: application/rdap+json\r\n"));
    QVERIFY(!head.contains("\r\ncookie:"));
}

void TestPlatform::registryListOncePerRunAndDrops()
{
    LoopbackRegistry registry({{"silent.test", Reply::Silent}}, Reply::Full, {"test"});
    registry.failBootstrap(1);
    platform::RdapClient client(registry.bootstrapUrl());
    QStringList heard;
    const auto ask = [&](const QString &name) {
        return client.ask(name, [&heard](const RegistryAnswer &answer) {
            heard << described(answer).section(QStringLiteral(" | "), 0, 0);
        });
    };
    // Whoever waits for the list hears why there is none; the next question fetches it again.
    ask("a.test");
    ask("b.test");
    QTRY_COMPARE(heard.size(), 2);
    ask("c.test");
    QTRY_COMPARE(heard.size(), 3);
    // Answered at once, yet never from within ask().
    ask("d.example");
    QCOMPARE(heard.size(), 3);
    QTRY_COMPARE(heard.size(), 4);
    const QString none = "unknown: no list of RDAP services: an answer that is not one";
    QCOMPARE(heard, QStringList(
                        {none, none, "record", "unknown: no RDAP service is listed for .example"}));
    QCOMPARE(registry.bootstrapRequests(), 2);
    // One under way, dropped: aborted, and never answered, not even when its time is up.
    client.setTiming(100, 10);
    const auto silent = ask("silent.test");
    QTRY_COMPARE(registry.requests("silent.test"), 1);
    client.drop(silent);
    QTest::qWait(300);
    QCOMPARE(heard.size(), 4);
}

void TestPlatform::registryLoadKeepsItsBounds()
{
    const QStringList suffixes = {"a", "b", "c", "d", "e"};
    LoopbackRegistry registry({}, Reply::Minimal, suffixes, int(suffixes.size()));
    registry.setDelayMs(2);
    platform::RdapClient client(registry.bootstrapUrl());
    // Run until the last record comes: QTRY's waits would sleep between network events.
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    int records = 0;
    // In runs of four to one server: the bound per server has to hold some back.
    for (int i = 0; i < 1000; ++i) {
        const auto ticket = client.ask(QStringLiteral("n%1.%2").arg(i).arg(suffixes[i / 4 % 5]),
                                       [&](const RegistryAnswer &answer) {
                                           if (answer.outcome == RegistryAnswer::Outcome::Record &&
                                               ++records == 900)
                                               loop.quit();
                                       });
        // Dropped while waiting: never sent, never answered.
        if (i % 10 == 9)
            client.drop(ticket);
    }
    loop.exec();
    QCOMPARE(records, 900);
    QCOMPARE(client.unanswered(), 0);
    QCOMPARE(registry.requests(), 900);
    QCOMPARE(registry.mostOut(), platform::RdapClient::MaxInFlight);
    QCOMPARE(registry.mostOutAtOneServer(), platform::RdapClient::MaxPerHost);
}
#endif

QTEST_MAIN(TestPlatform)
#include "tst_platform.moc"
