#include "ProcessTree.h"

#include <QDir>
#include <QFile>
#include <QHash>

#include <unistd.h>

namespace {

QByteArray readProc(const QString &path)
{
    QFile f(QStringLiteral("/proc/") + path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A process's or thread's stat file (`path` below /proc): its command name, which may hold
// spaces itself, and the fields after it; the first of these (index 0) is field 3 of the
// file, the state.
struct Stat {
    QString name;
    QList<QByteArray> fields;

    explicit Stat(const QString &path)
    {
        const QByteArray stat = readProc(path);
        const qsizetype open = stat.indexOf('('), close = stat.lastIndexOf(')');
        if (open < 0 || close < open)
            return;
        name = QString::fromUtf8(stat.mid(open + 1, close - open - 1));
        fields = stat.mid(close + 2).split(' ');
    }
    // User and system CPU time, fields 14 and 15 of the file.
    double cpuSeconds() const
    {
        static const double ticksPerSecond = double(sysconf(_SC_CLK_TCK));
        return fields.size() > 12
                   ? double(fields[11].toLongLong() + fields[12].toLongLong()) / ticksPerSecond
                   : 0;
    }
};

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
        const Stat stat(entry + QStringLiteral("/stat"));
        if (stat.fields.size() > 1)
            children[stat.fields[1].toLongLong()].append(pid);
    }
    m_pids = {root};
    for (qsizetype i = 0; i < m_pids.size(); ++i)
        m_pids += children.value(m_pids[i]);
}

qint64 ProcessTree::pssKiB() const
{
    qint64 total = 0;
    for (qint64 pid : m_pids) {
        const QByteArray rollup = readProc(QStringLiteral("%1/smaps_rollup").arg(pid));
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
    double seconds = 0;
    for (qint64 pid : m_pids)
        seconds += Stat(QStringLiteral("%1/stat").arg(pid)).cpuSeconds();
    return seconds;
}

QHash<QString, double> ProcessTree::cpuSecondsByThread() const
{
    QHash<QString, double> seconds;
    for (qint64 pid : m_pids) {
        QString kind = QStringLiteral("browser");
        if (pid != m_pids.constFirst()) {
            // The engine rewrites its helpers' command lines as one line with spaces.
            QByteArray line = readProc(QStringLiteral("%1/cmdline").arg(pid));
            line.replace('\0', ' ');
            const qsizetype type = line.indexOf("--type=");
            kind = type < 0
                       ? QStringLiteral("other")
                       : QString::fromUtf8(line.mid(type + 7, line.indexOf(' ', type) - type - 7));
        }
        const QString tasks = QStringLiteral("%1/task").arg(pid);
        for (const QString &tid :
             QDir(QStringLiteral("/proc/") + tasks).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            const Stat stat(tasks + u'/' + tid + QStringLiteral("/stat"));
            if (!stat.fields.isEmpty())
                seconds[kind + u'/' + stat.name] += stat.cpuSeconds();
        }
    }
    return seconds;
}
