#include "Subject.h"

#include "platform/webengine/FirstPaintWatch.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QSocketNotifier>
#include <QTimer>
#include <QWebEnginePage>

#include <cstdio>
#include <unistd.h>

namespace {

// Suffixes as a user would try them; beyond these a lookup uses made-up ones.
const char *const kSuffixes[] = {".com", ".net", ".org", ".co.uk", ".org.uk", ".info",
                                 ".biz", ".eu",  ".de",  ".nl",    ".io",     ".name"};

QStringList suffixes(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i) {
        list << (i < int(std::size(kSuffixes)) ? QLatin1String(kSuffixes[i])
                                               : QStringLiteral(".s%1").arg(i));
    }
    return list;
}

void writeLine(const QString &line)
{
    std::fputs(qPrintable(line + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

} // namespace

Subject::Subject(QString rootUrl, QObject *parent) : QObject(parent), m_rootUrl(std::move(rootUrl))
{
    m_clock.start();
}

void Subject::start()
{
    QWebEnginePage *page = showWindow();
    connect(page, &QWebEnginePage::loadFinished, this, [this] {
        if (m_stdin)
            return;
        writeLine(QStringLiteral("ready"));
        m_stdin = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, this);
        connect(m_stdin, &QSocketNotifier::activated, this, &Subject::handleCommand);
    });
}

double Subject::medianMs(const QString &, int)
{
    return -1;
}

QUrl Subject::address(const QString &label, const QString &suffix) const
{
    return QUrl(m_rootUrl + label + suffix);
}

void Subject::handleCommand()
{
    char buffer[256];
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got <= 0) {
        // The benchmark has gone away.
        QCoreApplication::exit(1);
        return;
    }
    m_input.append(buffer, got);
    // Commands can run the event loop; none may start while another runs.
    m_stdin->setEnabled(false);
    qsizetype end;
    while ((end = m_input.indexOf('\n')) >= 0) {
        const QString line = QString::fromUtf8(m_input.left(end)).trimmed();
        m_input.remove(0, end + 1);
        writeLine(runCommand(line.split(QLatin1Char(' '), Qt::SkipEmptyParts)));
    }
    m_stdin->setEnabled(true);
}

QString Subject::runCommand(const QStringList &words)
{
    const QString command = words.value(0);
    if (command == QLatin1String("quit")) {
        QCoreApplication::quit();
        return QStringLiteral("bye");
    }
    if (command == QLatin1String("lookup"))
        return timedLookUp(words.value(1), words.value(2).toInt(), 0);
    if (command == QLatin1String("grow"))
        return timedLookUp(QStringLiteral("grow"), 0, words.value(1).toInt());
    if (command == QLatin1String("select") || command == QLatin1String("arrow") ||
        command == QLatin1String("resize") || command == QLatin1String("walk") ||
        command == QLatin1String("alt9")) {
        const double ms = medianMs(command, words.value(1).toInt());
        return ms < 0 ? QStringLiteral("unsupported") : QStringLiteral("median ms=%1").arg(ms);
    }
    if (command == QLatin1String("pages"))
        return pageStates();
    if (command == QLatin1String("hints")) {
        const bool on = words.value(2) == QLatin1String("on");
        return setHints(words.value(1), on) ? QStringLiteral("switched hints=%1").arg(int(on))
                                            : QStringLiteral("unsupported");
    }
    return QStringLiteral("unknown command");
}

QString Subject::pageStates()
{
    int shown = 0;
    int states[3] = {};
    const QList<QWebEnginePage *> all = pages();
    for (QWebEnginePage *page : all) {
        shown += page->isVisible() ? 1 : 0;
        ++states[int(page->lifecycleState())];
    }
    return QStringLiteral("shown=%1 active=%2 frozen=%3 discarded=%4")
        .arg(shown)
        .arg(states[0])
        .arg(states[1])
        .arg(states[2]);
}

QString Subject::timedLookUp(const QString &label, int count, int untilTabs)
{
    QElapsedTimer clock;
    clock.start();
    int failed = 0;
    double firstMs = -1;
    double hintsMs = -1;
    if (untilTabs == 0) {
        const QStringList list = suffixes(count);
        platform::FirstPaintWatch first(frontView());
        qint64 paintedAt = -1;
        QEventLoop painted;
        QObject::connect(&first, &platform::FirstPaintWatch::firstPaint, &painted, [&] {
            paintedAt = m_clock.nsecsElapsed();
            painted.quit();
        });
        const QList<Load> loads = lookUp(label, list);
        // Polled, so that the program needs no hook for it.
        QTimer hints;
        hints.callOnTimeout([&] {
            if (hintsShown()) {
                hintsMs = double(m_clock.nsecsElapsed() - m_pressedAt) / 1e6;
                hints.stop();
            }
        });
        hints.start(2);
        failed = waitForLoads(loads);
        if (hints.isActive()) {
            QEventLoop shown;
            connect(&hints, &QTimer::timeout, &shown, [&] {
                if (!hints.isActive())
                    shown.quit();
            });
            QTimer::singleShot(10000, &shown, &QEventLoop::quit);
            shown.exec();
        }
        // The new page may paint only after its load has ended.
        if (paintedAt < 0) {
            QTimer::singleShot(10000, &painted, &QEventLoop::quit);
            painted.exec();
        }
        if (paintedAt >= 0)
            firstMs = double(paintedAt - m_pressedAt) / 1e6;
    }
    for (int round = 1; tabCount() < untilTabs; ++round) {
        // A lookup of n suffixes adds n - 1 tabs: the first suffix reuses the first tab.
        const int n = std::min(12, untilTabs - tabCount() + 1);
        const QString name = QStringLiteral("%1%2-%3").arg(label).arg(untilTabs).arg(round);
        failed += waitForLoads(lookUp(name, suffixes(n)));
    }
    return QStringLiteral("loaded ms=%1 tabs=%2 failed=%3 first=%4 hints=%5")
        .arg(double(clock.nsecsElapsed()) / 1e6)
        .arg(tabCount())
        .arg(failed)
        .arg(firstMs)
        .arg(hintsMs);
}

int Subject::waitForLoads(const QList<Load> &loads)
{
    int pending = int(loads.size());
    int failed = 0;
    QEventLoop loop;
    QList<QMetaObject::Connection> connections;
    for (const Load &load : loads) {
        auto done = std::make_shared<bool>(false);
        connections << connect(load.page, &QWebEnginePage::loadFinished, &loop,
                               [&, done, page = load.page, url = load.url](bool ok) {
                                   if (*done || page->url() != url)
                                       return;
                                   *done = true;
                                   failed += ok ? 0 : 1;
                                   if (--pending == 0)
                                       loop.quit();
                               });
    }
    QTimer::singleShot(180000, &loop, &QEventLoop::quit);
    if (pending > 0)
        loop.exec();
    for (const auto &connection : connections)
        disconnect(connection);
    return failed + pending;
}
