#pragma once

#include <QProcess>
#include <QString>

// An X server of the benchmark's own (Xvfb), so that the program can be measured as a
// desktop user runs it: through the X platform and OpenGL, which Mesa renders in software.
class VirtualDisplay {
public:
    VirtualDisplay() = default;
    ~VirtualDisplay();

    // Starts a server on the first free display from :90; false if none could be started.
    bool start();
    // The value for DISPLAY.
    QString name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};
