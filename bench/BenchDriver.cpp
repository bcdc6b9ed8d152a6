#include "BenchDriver.h"

#include "ProcessTree.h"

#include <QDateTime>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QSysInfo>
#include <QThread>
#include <QTimer>

#include <cmath>
#include <cstdio>

namespace {

// The tab counts at which memory is measured.
constexpr int kTabCounts[] = {1, 12, 100, 400};

double median(QList<double> values)
{
    values.removeIf([](double value) { return std::isnan(value); });
    if (values.isEmpty())
        return NAN;
    std::ranges::sort(values);
    const qsizetype middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double mebibytes(qint64 kib)
{
    return double(kib) / 1024.0;
}

QString cpuModel()
{
    QFile cpuinfo(QStringLiteral("/proc/cpuinfo"));
    if (cpuinfo.open(QIODevice::ReadOnly)) {
        for (const QByteArray &line : cpuinfo.readAll().split('\n')) {
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
        }
    }
    return QStringLiteral("unknown CPU");
}

} // namespace

// What one child process yields; NaN where it was not measured.
struct BenchDriver::Session {
    double lookupMs = NAN;
    double firstMs = NAN;     // to the front page's first paint, lookup of 12
    double hintsMs = NAN;     // to every tab's DNS hint shown, lookup of 12
    double lookupOffMs = NAN; // lookupMs and firstMs with the DNS hints off
    double firstOffMs = NAN;
    double lookupNoRdapMs = NAN; // the same with the registry hints off
    double firstNoRdapMs = NAN;
    double singleFirstMs = NAN; // the same, lookup of 1
    double requests = NAN;
    double pss[4] = {NAN, NAN, NAN, NAN}; // MiB at each of kTabCounts
    int tabs[4] = {};                     // the tabs there were: lookups of 12 may overshoot
    double select[2] = {NAN, NAN};        // ms at 12, 400 tabs
    double arrow[2] = {NAN, NAN};
    double resize[2] = {NAN, NAN};
    double idle[2] = {NAN, NAN};           // share of one core: a program with 1 tab, this one
    double stillIdle[2] = {NAN, NAN};      // the same with a page in front that keeps still
    QHash<QString, double> idleThreads[2]; // the same by thread (see ProcessTree)
    double walk[2] = {NAN, NAN};           // ms at 100, 1000 tabs
    double alt9[2] = {NAN, NAN};
    QString pages[4]; // what the pages were doing at each memory figure
};

BenchDriver::BenchDriver(QString program, Options options)
    : m_program(std::move(program)), m_options(options),
      m_registry(
          {}, LoopbackRegistry::Reply::Full,
          {"com", "net", "org", "co.uk", "org.uk", "info", "biz", "eu", "de", "nl", "io", "name"},
          2),
      m_environment(QProcessEnvironment::systemEnvironment())
{
    m_environment.insert(QStringLiteral("QUILLET_BENCH_DNS"), m_dns.forwarder());
    m_environment.insert(QStringLiteral("QUILLET_BENCH_RDAP"),
                         m_registry.bootstrapUrl().toString());
    if (m_options.display.isEmpty()) {
        m_environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    } else {
        // As on a desktop: the X platform, with the engine's normal OpenGL path.
        m_environment.remove(QStringLiteral("QT_QPA_PLATFORM"));
        m_environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
        m_environment.insert(QStringLiteral("DISPLAY"), m_options.display);
        // Without a session bus, the D-Bus library would start one of its own for the display.
        if (!m_environment.contains(QStringLiteral("DBUS_SESSION_BUS_ADDRESS")))
            m_environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"),
                                 QStringLiteral("disabled:"));
    }
}

void BenchDriver::note(const QString &text) const
{
    std::fprintf(stderr, "bench: %s\n", qPrintable(text));
}

std::unique_ptr<QProcess> BenchDriver::startSubject(const QString &kind)
{
    auto child = std::make_unique<QProcess>();
    child->setProcessEnvironment(m_environment);
    if (m_options.verbose)
        child->setProcessChannelMode(QProcess::ForwardedErrorChannel);
    else
        child->setStandardErrorFile(QProcess::nullDevice());
    child->start(m_program, {QStringLiteral("--subject"), kind, m_server.rootUrl()});
    return child;
}

QString BenchDriver::readLine(QProcess &child, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!child.canReadLine()) {
        if (child.state() == QProcess::NotRunning || clock.elapsed() > timeoutMs)
            return {};
        // Keeps the stub service answering while the child works.
        QEventLoop loop;
        connect(&child, &QProcess::readyReadStandardOutput, &loop, &QEventLoop::quit);
        connect(&child, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(1000, &loop, &QEventLoop::quit);
        loop.exec();
    }
    return QString::fromUtf8(child.readLine()).trimmed();
}

BenchDriver::Reply BenchDriver::send(QProcess &child, const QString &command)
{
    child.write((command + QLatin1Char('\n')).toUtf8());
    const QString line = readLine(child);
    Reply reply;
    for (const QString &word : line.split(QLatin1Char(' '))) {
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        if (equals > 0)
            reply.insert(word.left(equals), word.mid(equals + 1).toDouble());
    }
    if (reply.isEmpty() || reply.value(QStringLiteral("failed")) > 0)
        note(QStringLiteral("'%1' answered '%2'").arg(command, line));
    return reply;
}

void BenchDriver::stop(QProcess &child)
{
    child.write("quit\n");
    if (!child.waitForFinished(15000)) {
        child.kill();
        child.waitForFinished(5000);
    }
}

void BenchDriver::pause(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double BenchDriver::startupMs(const QString &kind)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProcess> child = startSubject(kind);
    const bool ready = readLine(*child, 60000) == QLatin1String("ready");
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    stop(*child);
    return ready ? ms : NAN;
}

double BenchDriver::medianStartupMs(const QString &kind, int runs)
{
    QList<double> times;
    for (int i = 0; i < runs; ++i)
        times << startupMs(kind);
    return median(times);
}

BenchDriver::Reply BenchDriver::lookUp(QProcess &child, const QString &label, int suffixes,
                                       Session &session)
{
    // Each lookup starts as the user's would, with the pages before it done.
    waitForQuiet(child);
    Reply reply = send(child, QStringLiteral("lookup %1 %2").arg(label).arg(suffixes));
    for (const QString &key : {QStringLiteral("first"), QStringLiteral("hints")}) {
        if (reply.value(key, -1) < 0)
            reply.remove(key);
    }
    if (suffixes == 12) {
        // Time for a second request of a page, had there been one, to arrive.
        pause(500);
        if (std::isnan(session.requests))
            session.requests = m_server.pageRequests(label + QLatin1Char('.'));
    }
    return reply;
}

void BenchDriver::waitForQuiet(QProcess &child)
{
    // The renderer may still be busy with the pages just loaded; what is timed next should
    // not share the two cores with that.
    for (int second = 0; second < 30; ++second) {
        const double before = ProcessTree(child.processId()).cpuSeconds();
        pause(1000);
        if (ProcessTree(child.processId()).cpuSeconds() - before < 0.15)
            return;
    }
}

int BenchDriver::settleMs() const
{
    // Before a memory figure, for what the last lookup set going to end.
    return m_options.quick ? 1500 : 3000;
}

int BenchDriver::idleWindows() const
{
    return m_options.quick ? 3 : 7;
}

int BenchDriver::idleWindowSeconds() const
{
    // Garbage collection in the shared renderer comes in bursts of a few seconds.
    return m_options.quick ? 5 : 10;
}

BenchDriver::Idle BenchDriver::idleBeside(QProcess &program, QProcess &baseline)
{
    QProcess *const both[2] = {&program, &baseline};
    for (QProcess *child : both)
        waitForQuiet(*child);
    const auto cpu = [&both](int i) { return ProcessTree(both[i]->processId()).cpuSeconds(); };
    const auto threads = [&both](int i) {
        return ProcessTree(both[i]->processId()).cpuSecondsByThread();
    };
    const QHash<QString, double> threadsBefore[2] = {threads(0), threads(1)};
    QList<double> shares[2];
    QElapsedTimer total;
    total.start();
    for (int window = 0; window < idleWindows(); ++window) {
        const double before[2] = {cpu(0), cpu(1)};
        QElapsedTimer clock;
        clock.start();
        pause(idleWindowSeconds() * 1000);
        const double seconds = double(clock.nsecsElapsed()) / 1e9;
        for (int i : {0, 1})
            shares[i] << (cpu(i) - before[i]) / seconds;
    }
    Idle idle{median(shares[0]), median(shares[1]), {}};
    const double seconds = double(total.nsecsElapsed()) / 1e9;
    for (int i : {0, 1}) {
        const QHash<QString, double> after = threads(i);
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            idle.threads[i][it.key()] = (it.value() - threadsBefore[i].value(it.key())) / seconds;
    }
    return idle;
}

BenchDriver::Session BenchDriver::runSession(const QString &kind)
{
    const bool app = kind == QLatin1String("app");
    Session s;
    std::unique_ptr<QProcess> child = startSubject(kind);
    if (readLine(*child, 60000) != QLatin1String("ready")) {
        note(kind + QStringLiteral(" did not start"));
        return s;
    }
    auto measureMemory = [&](int at) {
        pause(settleMs());
        s.pss[at] = mebibytes(ProcessTree(child->processId()).pssKiB());
        const Reply pages = send(*child, QStringLiteral("pages"));
        s.tabs[at] = int(pages.value("active") + pages.value("frozen") + pages.value("discarded"));
        s.pages[at] = QStringLiteral("%1 shown, %2 active, %3 frozen, %4 discarded")
                          .arg(pages.value("shown"))
                          .arg(pages.value("active"))
                          .arg(pages.value("frozen"))
                          .arg(pages.value("discarded"));
    };
    auto timedActions = [&](int at) {
        waitForQuiet(*child);
        const int repeats = m_options.quick ? 8 : 16;
        s.select[at] = send(*child, QStringLiteral("select %1").arg(repeats)).value("ms", NAN);
        s.arrow[at] = send(*child, QStringLiteral("arrow %1").arg(repeats)).value("ms", NAN);
        s.resize[at] = send(*child, QStringLiteral("resize %1").arg(repeats)).value("ms", NAN);
    };

    note(kind + QStringLiteral(": 1 tab"));
    send(*child, QStringLiteral("lookup %1-one 1").arg(kind));
    measureMemory(0);
    // Idle beside a second program with one tab, both with the stub's ticking page in front,
    // then both with a still one, where only the program's own wake-ups and the frozen pages'
    // are left.
    auto measureIdle = [&] {
        note(kind + QStringLiteral(": idle, beside a program with 1 tab"));
        std::unique_ptr<QProcess> baseline = startSubject(kind);
        if (readLine(*baseline, 60000) != QLatin1String("ready"))
            return;
        send(*baseline, QStringLiteral("lookup %1-idle 1").arg(kind));
        const Idle ticking = idleBeside(*child, *baseline);
        s.idle[0] = ticking.baseline;
        s.idle[1] = ticking.program;
        s.idleThreads[0] = ticking.threads[1];
        s.idleThreads[1] = ticking.threads[0];
        send(*baseline, QStringLiteral("lookup still-0 1"));
        send(*child, QStringLiteral("lookup still-1 1"));
        const Idle still = idleBeside(*child, *baseline);
        s.stillIdle[0] = still.baseline;
        s.stillIdle[1] = still.program;
        stop(*baseline);
    };
    // What a screen reader and the keys do over the whole strip, at 100 and at 1000 tabs.
    auto wholeStrip = [&](int at) {
        waitForQuiet(*child);
        const int repeats = m_options.quick ? 4 : 8;
        s.walk[at] = send(*child, QStringLiteral("walk %1").arg(repeats)).value("ms", NAN);
        s.alt9[at] = send(*child, QStringLiteral("alt9 %1").arg(repeats)).value("ms", NAN);
    };
    // Each from a page of the same service, as in the lookups of 12 below; the first, from
    // the start page, is not counted.
    const int repeats = m_options.quick ? 3 : 5;
    QList<double> singles;
    // More of them than of the lookups of 12, which add tabs: this is every first result's
    // baseline.
    for (int i = 0; i < 2 * repeats - 1; ++i) {
        const QString label = QStringLiteral("%1-one-%2").arg(kind).arg(i);
        singles << lookUp(*child, label, 1, s).value(QStringLiteral("first"), NAN);
    }
    s.singleFirstMs = median(singles);

    note(kind + QStringLiteral(": 12 tabs"));
    // Under X with OpenGL in software, every plain view is shown and drawn, stacked: beyond
    // a dozen the window spends its time drawing and loads stall. There the plain side stops
    // at 12 views.
    const bool fewViews = !app && !m_options.display.isEmpty();
    QList<double> lookups, firsts, hints, lookupsOff, firstsOff, lookupsNoRdap, firstsNoRdap;
    // The same lookup with a source of hints off (DNS for the first two lookups, the
    // registries for the next two), before or after the one with them in turn, as the load
    // of the machine comes and goes and each lookup adds tabs.
    const auto withoutHints = [&](int i) {
        const bool dns = i < 2;
        const QString source = dns ? QStringLiteral("dns") : QStringLiteral("registry");
        if (!app || !send(*child, QStringLiteral("hints %1 off").arg(source)).contains("hints"))
            return;
        const Reply off =
            lookUp(*child, QStringLiteral("%1-twelve-off-%2").arg(kind).arg(i), 12, s);
        (dns ? lookupsOff : lookupsNoRdap) << off.value(QStringLiteral("ms"), NAN);
        (dns ? firstsOff : firstsNoRdap) << off.value(QStringLiteral("first"), NAN);
        send(*child, QStringLiteral("hints %1 on").arg(source));
    };
    for (int i = 0; i < (fewViews ? 1 : repeats); ++i) {
        // At most four, so that the tabs stay within the 100 measured next.
        if (i % 2 == 1 && i < 4)
            withoutHints(i);
        const Reply reply = lookUp(*child, QStringLiteral("%1-twelve-%2").arg(kind).arg(i), 12, s);
        lookups << reply.value(QStringLiteral("ms"), NAN);
        firsts << reply.value(QStringLiteral("first"), NAN);
        hints << reply.value(QStringLiteral("hints"), NAN);
        if (i == 0) {
            measureMemory(1);
            if (app)
                timedActions(0);
        }
        if (i % 2 == 0 && i < 4)
            withoutHints(i);
    }
    s.lookupMs = median(lookups);
    s.firstMs = median(firsts);
    s.hintsMs = median(hints);
    s.lookupOffMs = median(lookupsOff);
    s.firstOffMs = median(firstsOff);
    s.lookupNoRdapMs = median(lookupsNoRdap);
    s.firstNoRdapMs = median(firstsNoRdap);

    if (fewViews) {
        stop(*child);
        return s;
    }
    note(kind + QStringLiteral(": 100 tabs"));
    send(*child, QStringLiteral("grow 100"));
    measureMemory(2);
    if (app) {
        measureIdle();
        wholeStrip(0);
        note(kind + QStringLiteral(": 400 tabs"));
        send(*child, QStringLiteral("grow 400"));
        measureMemory(3);
        timedActions(1);
        note(kind + QStringLiteral(": 1000 tabs"));
        send(*child, QStringLiteral("grow 1000"));
        wholeStrip(1);
    }
    stop(*child);
    return s;
}

double BenchDriver::floorPerTabMiB()
{
    note(QStringLiteral("plain:floor: 12 and 100 tabs"));
    std::unique_ptr<QProcess> child = startSubject(QStringLiteral("plain:floor"));
    if (readLine(*child, 60000) != QLatin1String("ready"))
        return NAN;
    double pss[2];
    for (int at : {0, 1}) {
        send(*child, QStringLiteral("grow %1").arg(kTabCounts[at + 1]));
        pause(settleMs());
        pss[at] = mebibytes(ProcessTree(child->processId()).pssKiB());
    }
    stop(*child);
    return (pss[1] - pss[0]) / (kTabCounts[2] - kTabCounts[1]);
}

int BenchDriver::run()
{
    if (!m_server.isListening()) {
        note(QStringLiteral("cannot listen on 127.0.0.1"));
        return 2;
    }
    QElapsedTimer total;
    total.start();

    note(QStringLiteral("start-up"));
    // The first start of each also fills the disk cache; it is not counted.
    const bool baselines = !m_options.programOnly;
    if (baselines)
        startupMs(QStringLiteral("plain"));
    startupMs(QStringLiteral("app"));
    const int runs = m_options.quick ? 3 : 5;
    QList<double> plainStarts, appStarts;
    for (int i = 0; i < runs; ++i) {
        if (baselines)
            plainStarts << startupMs(QStringLiteral("plain"));
        appStarts << startupMs(QStringLiteral("app"));
    }
    const Session plain = baselines ? runSession(QStringLiteral("plain")) : Session();
    const double floor = baselines ? floorPerTabMiB() : NAN;
    const Session app = runSession(QStringLiteral("app"));
    printReport(app, plain, median(appStarts), median(plainStarts), floor,
                double(total.elapsed()) / 1000);
    return 0;
}

int BenchDriver::runAdditions()
{
    if (!m_server.isListening())
        return 2;
    const QStringList kinds = {QStringLiteral("plain"),          QStringLiteral("plain:tracker"),
                               QStringLiteral("plain:watchdog"), QStringLiteral("plain:per-site"),
                               QStringLiteral("plain:jitless"),  QStringLiteral("plain:no-gpu"),
                               QStringLiteral("plain:software"), QStringLiteral("plain:scheduler"),
                               QStringLiteral("plain:profile"),  QStringLiteral("app")};
    const int runs = m_options.quick ? 3 : 7;
    QHash<QString, QList<double>> starts, firsts;
    // Turn by turn, so that the machine's busy moments spread over every kind; the first
    // start of each also fills the disk cache and is not counted.
    for (int i = 0; i <= runs; ++i) {
        note(QStringLiteral("start-up, round %1").arg(i));
        for (const QString &kind : kinds) {
            if (const double ms = startupMs(kind); i > 0)
                starts[kind] << ms;
        }
    }
    for (const QString &kind : kinds) {
        note(kind + QStringLiteral(": lookups of 1"));
        std::unique_ptr<QProcess> child = startSubject(kind);
        if (readLine(*child, 60000) != QLatin1String("ready"))
            continue;
        Session s;
        // From the start page first, which is not counted.
        lookUp(*child, QStringLiteral("cost-0"), 1, s);
        for (int i = 1; i <= 2 * runs; ++i) {
            const QString label = QStringLiteral("cost-%1").arg(i);
            firsts[kind] << lookUp(*child, label, 1, s).value(QStringLiteral("first"), NAN);
        }
        stop(*child);
    }
    const double plainStart = median(starts.value(kinds.first()));
    const double plainFirst = median(firsts.value(kinds.first()));
    QString table = QStringLiteral("| plain view with | start-up | ratio | first result in front, "
                                   "lookup of 1 | ratio |\n|---|---:|---:|---:|---:|\n");
    for (const QString &kind : kinds) {
        const double start = median(starts.value(kind));
        const double first = median(firsts.value(kind));
        table += QStringLiteral("| %1 | %2 ms | %3 | %4 ms | %5 |\n")
                     .arg(kind == u"app"     ? QStringLiteral("(the program)")
                          : kind == u"plain" ? QStringLiteral("nothing")
                                             : kind.section(u':', 1))
                     .arg(start, 0, 'f', 0)
                     .arg(start / plainStart, 0, 'f', 2)
                     .arg(first, 0, 'f', 1)
                     .arg(first / plainFirst, 0, 'f', 2);
    }
    std::printf("What each addition costs, %s, medians of %d starts and %d lookups\n\n%s",
                qPrintable(displayName()), runs, 2 * runs, qPrintable(table));
    std::fflush(stdout);
    return 0;
}

QString BenchDriver::displayName() const
{
    return m_options.display.isEmpty()
               ? QStringLiteral("headless (offscreen platform)")
               : QStringLiteral("X server (Xvfb %1, OpenGL through Mesa)").arg(m_options.display);
}

void BenchDriver::printReport(const Session &app, const Session &plain, double appStartMs,
                              double plainStartMs, double floorMiB, double seconds) const
{
    using Goal = BenchReport::Goal;
    BenchReport r;
    const QString views = QStringLiteral("plain views");
    r.add(QStringLiteral("Start-up to start page shown"), appStartMs, QStringLiteral("ms"),
          plainStartMs, QStringLiteral("one plain view"), Goal::AtMost, 1.1);
    r.add(QStringLiteral("First result in front, lookup of 12 suffixes"), app.firstMs,
          QStringLiteral("ms"), plain.singleFirstMs, QStringLiteral("one plain view, 1 page"),
          Goal::AtMost, 1.1);
    r.add(QStringLiteral("First result in front, lookup of 1 suffix"), app.singleFirstMs,
          QStringLiteral("ms"), plain.singleFirstMs, QStringLiteral("one plain view, 1 page"));
    r.add(QStringLiteral("Lookup of 12 suffixes, all loaded"), app.lookupMs, QStringLiteral("ms"),
          plain.lookupMs, QStringLiteral("12 plain views"), Goal::AtMost, 0.6);
    r.add(QStringLiteral("Page requests for that lookup"), app.requests, {}, plain.requests,
          QStringLiteral("12 plain views"), Goal::Equal, 12);
    r.add(QStringLiteral("DNS and registry hints of a lookup of 12, all shown"), app.hintsMs,
          QStringLiteral("ms"), app.lookupMs, QStringLiteral("its 12 pages loaded"), Goal::AtMost,
          1);
    r.add(QStringLiteral("First result in front, lookup of 12, DNS hints off"), app.firstOffMs,
          QStringLiteral("ms"), app.firstMs, QStringLiteral("the same with them"));
    r.add(QStringLiteral("Lookup of 12 suffixes, all loaded, DNS hints off"), app.lookupOffMs,
          QStringLiteral("ms"), app.lookupMs, QStringLiteral("the same with them"));
    r.add(QStringLiteral("First result in front, lookup of 12, RDAP off"), app.firstNoRdapMs,
          QStringLiteral("ms"), app.firstMs, QStringLiteral("the same with RDAP"));
    r.add(QStringLiteral("Lookup of 12 suffixes, all loaded, RDAP off"), app.lookupNoRdapMs,
          QStringLiteral("ms"), app.lookupMs, QStringLiteral("the same with RDAP"));
    const bool plainTo12 = std::isnan(plain.pss[2]) && !m_options.display.isEmpty();
    for (int i = 0; i < 4; ++i) {
        r.add(QStringLiteral("Memory (PSS) with %1 tab%2").arg(kTabCounts[i]).arg(i ? "s" : ""),
              app.pss[i], QStringLiteral("MiB"), plain.pss[i],
              i == 3 ? QStringLiteral("not run (several GB)")
              : i == 2 && plainTo12
                  ? QStringLiteral("not run (stalls under X)")
                  : QStringLiteral("%1 %2").arg(kTabCounts[i]).arg(i ? views : "plain view"));
    }
    const auto perTab = [](const Session &s, int from, int to) {
        return (s.pss[to] - s.pss[from]) / (s.tabs[to] - s.tabs[from]);
    };
    const double appPerTab = perTab(app, 1, 2);
    const double plainPerTab = plainTo12 ? perTab(plain, 0, 1) : perTab(plain, 1, 2);
    const double appLatePerTab = perTab(app, 2, 3);
    // The floor: what a hidden, frozen plain page adds with the program's engine set-up alone.
    const bool nearFloor = appPerTab <= 1.2 * floorMiB;
    r.add(QStringLiteral("Memory per added tab, 12 to 100"), appPerTab, QStringLiteral("MiB"),
          plainPerTab,
          plainTo12 ? QStringLiteral("per added plain view, 1 to 12")
                    : QStringLiteral("per added plain view"),
          Goal::AtMost, 0.25, nearFloor, QStringLiteral("≤ 1.2× the floor"));
    r.add(QStringLiteral("Memory per added tab against the floor"), appPerTab,
          QStringLiteral("MiB"), floorMiB,
          QStringLiteral("per hidden frozen plain page, 12 to 100"));
    r.add(QStringLiteral("Memory per added tab, 100 to 400"), appLatePerTab, QStringLiteral("MiB"),
          appPerTab, QStringLiteral("per added tab, 12 to 100"), Goal::AtMost, 1.2);
    // A handler that must move every tab may take time that grows with the tabs, as long as
    // the whole stays within a quarter of a 60 Hz frame.
    const QString quarterFrame = QStringLiteral("< 4 ms");
    r.add(QStringLiteral("Tab selection, click to painted, 400 tabs"), app.select[1],
          QStringLiteral("ms"), app.select[0], QStringLiteral("the same at 12 tabs"), Goal::AtMost,
          2, app.select[1] < 4, quarterFrame);
    r.add(QStringLiteral("Arrow shift, click to painted, 400 tabs"), app.arrow[1],
          QStringLiteral("ms"), app.arrow[0], QStringLiteral("the same at 12 tabs"), Goal::AtMost,
          2, app.arrow[1] < 4, quarterFrame);
    r.add(QStringLiteral("Window resize to painted, 400 tabs"), app.resize[1], QStringLiteral("ms"),
          app.resize[0], QStringLiteral("the same at 12 tabs"), Goal::AtMost, 2, app.resize[1] < 4,
          quarterFrame);
    // Linear work grows ten times from 100 tabs to 1000; quadratic work, a hundred times.
    r.add(QStringLiteral("Screen-reader walk of the window, 1000 tabs"), app.walk[1],
          QStringLiteral("ms"), app.walk[0], QStringLiteral("the same at 100 tabs"), Goal::AtMost,
          15);
    r.add(QStringLiteral("Alt+9 from the first tab to painted, 1000 tabs"), app.alt9[1],
          QStringLiteral("ms"), app.alt9[0], QStringLiteral("the same at 100 tabs"), Goal::AtMost,
          15, app.alt9[1] < 16, QStringLiteral("< 16 ms"));
    const QString windows =
        QStringLiteral("median of %1 windows of %2 s").arg(idleWindows()).arg(idleWindowSeconds());
    const QString beside = QStringLiteral("1 tab, alive beside it");
    r.add(QStringLiteral("Idle CPU, 100 loaded tabs, %1").arg(windows), app.idle[1] * 100,
          QStringLiteral("% core"), app.idle[0] * 100, beside, Goal::AtMost, 1.2,
          app.idle[1] < 0.01, QStringLiteral("< 1 % of a core"));
    r.add(QStringLiteral("Idle CPU, 100 loaded tabs, still page in front"), app.stillIdle[1] * 100,
          QStringLiteral("% core"), app.stillIdle[0] * 100, beside + QStringLiteral(", still page"),
          Goal::AtMost, 1.2, app.stillIdle[1] < 0.01, QStringLiteral("< 1 % of a core"));

    const QString display = displayName();
    std::printf("Quillet Lookup benchmark, %s%s\n%s, %d cores, %s, Qt %s, %s\n"
                "Stub page %d KB; figures are medians where repeated; total run %.0f s.\n\n%s",
                qPrintable(QDateTime::currentDateTime().toString(Qt::ISODate)),
                m_options.quick ? " (quick)" : "", qPrintable(cpuModel()),
                QThread::idealThreadCount(), qPrintable(QSysInfo::prettyProductName()), qVersion(),
                qPrintable(display), m_server.pageBytes() / 1000, seconds,
                qPrintable(r.markdown()));
    for (const auto &[name, session] :
         {std::pair{"Quillet Lookup", &app}, {"plain views", &plain}}) {
        for (int i = 0; i < 4; ++i) {
            if (!session->pages[i].isEmpty())
                std::printf("\n%s, %d tab%s: %s.", name, kTabCounts[i], i ? "s" : "",
                            qPrintable(session->pages[i]));
        }
    }
    std::printf("\n");
    // Where idle time goes with the ticking page in front: the busiest threads of the program
    // with 100 tabs, beside the same threads of the one with 1 tab.
    QStringList threads = app.idleThreads[1].keys();
    std::ranges::sort(threads, std::greater{},
                      [&app](const QString &name) { return app.idleThreads[1].value(name); });
    if (!threads.isEmpty()) {
        std::printf("\nIdle CPU by thread, ticking page in front (%% of a core):\n\n"
                    "| process/thread | 100 tabs | 1 tab |\n|---|---:|---:|\n");
        for (const QString &name : threads.first(std::min<qsizetype>(12, threads.size())))
            std::printf("| %s | %.2f | %.2f |\n", qPrintable(name),
                        app.idleThreads[1].value(name) * 100, app.idleThreads[0].value(name) * 100);
    }
    if (r.missed() > 0)
        std::printf("\n%d target(s) not met.\n", r.missed());
    std::fflush(stdout);
}
