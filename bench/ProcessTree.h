#pragma once

#include <QHash>
#include <QList>
#include <QString>

// A process and all its descendants as /proc shows them at construction: the program and
// the web engine's helper processes (zygotes, renderers, utilities).
class ProcessTree {
public:
    explicit ProcessTree(qint64 root);

    const QList<qint64> &pids() const { return m_pids; }
    // Proportional set size summed over the tree, in KiB.
    qint64 pssKiB() const;
    // User and system CPU time summed over the tree, in seconds.
    double cpuSeconds() const;
    // The same by thread, summed over threads of one name in processes of one kind: "browser"
    // for the root, else the engine's --type (renderer, gpu-process, utility, zygote).
    QHash<QString, double> cpuSecondsByThread() const;

private:
    QList<qint64> m_pids;
};
