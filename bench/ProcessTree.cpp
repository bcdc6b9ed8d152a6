#include "ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

namespace {

QByteArray readProc(qint64 pid, const char *file)
{
    QFile f(QStringLiteral("/proc/%1/%2").arg(pid).arg(QLatin1String(file)));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The fields of /proc/<pid>/stat after the command name, which may hold spaces itself;
// the first of them (index 0) is field 3 of the file, the state.
QList<QByteArray> statFields(qint64 pid)
{
    const QByteArray stat = readProc(pid, "stat");
    const qsizetype close = stat.lastIndexOf(')');
    return close < 0 ? QList<QByteArray>() : stat.mid(close + 2).split(' ');
}

} // namespace

ProcessTree::ProcessTree(qint64 root)
{
    QHash<qint64, QList<qint64>> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const qint64 pid = entry.toLongLong(&isPid);
        if (!isPid)
            continue;
        const QList<QByteArray> fields = statFields(pid);
        if (fields.size() > 1)
            children[fields[1].toLongLong()].append(pid);
    }
    m_pids = {root};
    for (qsizetype i = 0; i < m_pids.size(); ++i)
        m_pids += children.value(m_pids[i]);
}

qint64 ProcessTree::pssKiB() const
{
    qint64 total = 0;
    for (qint64 pid : m_pids) {
        const QByteArray rollup = readProc(pid, "smaps_rollup");
        for (const QByteArray &line : rollup.split('\n')) {
            if (line.startsWith("Pss:")) {
                total += line.mid(4).trimmed().split(' ').value(0).toLongLong();
                break;
            }
        }
    }
    return total;
}

double ProcessTree::cpuSeconds() const
{
    static const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    qint64 ticks = 0;
    for (qint64 pid : m_pids) {
        const QList<QByteArray> fields = statFields(pid);
        // utime and stime are fields 14 and 15 of the file.
        if (fields.size() > 12)
            ticks += fields[11].toLongLong() + fields[12].toLongLong();
    }
    return double(ticks) / ticksPerSecond;
}

QHash<QString, double> ProcessTree::cpuSecondsByThread() const
{
    static const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
    QHash<QString, double> seconds;
    for (qint64 pid : m_pids) {
        QString kind = QStringLiteral("browser");
        if (pid != m_pids.constFirst()) {
            // The engine rewrites its helpers' command lines as one line with spaces.
            QByteArray line = readProc(pid, "cmdline");
            line.replace('\0', ' ');
            const qsizetype type = line.indexOf("--type=");
            kind = type < 0
                       ? QStringLiteral("other")
                       : QString::fromUtf8(line.mid(type + 7, line.indexOf(' ', type) - type - 7));
        }
        const QString tasks = QStringLiteral("/proc/%1/task").arg(pid);
        for (const QString &tid : QDir(tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            QFile file(tasks + u'/' + tid + QStringLiteral("/stat"));
            const QByteArray stat = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
            const qsizetype open = stat.indexOf('('), close = stat.lastIndexOf(')');
            const QList<QByteArray> fields = stat.mid(close + 2).split(' ');
            if (open < 0 || close < open || fields.size() <= 12)
                continue;
            const QString name =
                kind + u'/' + QString::fromUtf8(stat.mid(open + 1, close - open - 1));
            seconds[name] +=
                double(fields[11].toLongLong() + fields[12].toLongLong()) / ticksPerSecond;
        }
    }
    return seconds;
}
