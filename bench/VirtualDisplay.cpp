#include "VirtualDisplay.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/prctl.h>

VirtualDisplay::~VirtualDisplay()
{
    if (m_server.state() != QProcess::NotRunning) {
        m_server.terminate();
        if (!m_server.waitForFinished(5000))
            m_server.kill();
        m_server.waitForFinished(5000);
    }
}

bool VirtualDisplay::start()
{
    const QString xvfb = QStandardPaths::findExecutable(QStringLiteral("Xvfb"));
    if (xvfb.isEmpty())
        return false;
    for (int number = 90; number < 100; ++number) {
        const QString socket = QStringLiteral("/tmp/.X11-unix/X%1").arg(number);
        if (QFileInfo::exists(socket) ||
            QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)))
            continue;
        // Ends with the benchmark, however that ends.
        m_server.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
        m_server.setStandardOutputFile(QProcess::nullDevice());
        m_server.setStandardErrorFile(QProcess::nullDevice());
        m_server.start(xvfb, {QStringLiteral(":%1").arg(number), QStringLiteral("-screen"),
                              QStringLiteral("0"), QStringLiteral("1920x1080x24"),
                              QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        if (!m_server.waitForStarted(5000))
            return false;
        // Ready once its socket is there.
        QDeadlineTimer deadline(10000);
        while (!QFileInfo::exists(socket) && m_server.state() == QProcess::Running &&
               !deadline.hasExpired())
            QThread::msleep(50);
        if (QFileInfo::exists(socket) && m_server.state() == QProcess::Running) {
            m_name = QStringLiteral(":%1").arg(number);
            return true;
        }
        m_server.kill();
        m_server.waitForFinished(5000);
    }
    return false;
}
