#pragma once

#include "BenchReport.h"
#include "StubWhoisServer.h"

#include "LoopbackDns.h"
#include "LoopbackRegistry.h"

#include <QHash>
#include <QProcess>

#include <cmath>
#include <memory>

// Runs the benchmark: starts the stub service, runs the program and the plain-view baseline
// as child processes of this one, drives them, measures their process trees and prints the
// table.
class BenchDriver : public QObject {
    Q_OBJECT

public:
    struct Options {
        bool quick = false;
        bool verbose = false;
        // Runs the program's side only, to try a change quickly; the baselines stay empty.
        bool programOnly = false;
        // The X display to run on; empty for the offscreen platform.
        QString display;
    };

    BenchDriver(QString program, Options options);
    int run();
    // Start-up and first result in front of a plain view with each of the program's
    // additions to a page alone, beside the plain view and the program, in one run.
    int runAdditions();

private:
    using Reply = QHash<QString, double>;
    struct Session; // figures of one child process, gathered as it runs

    std::unique_ptr<QProcess> startSubject(const QString &kind);
    QString readLine(QProcess &child, int timeoutMs = 300000);
    Reply send(QProcess &child, const QString &command);
    void stop(QProcess &child);
    void pause(int ms);
    void note(const QString &text) const;

    double startupMs(const QString &kind);
    double medianStartupMs(const QString &kind, int runs);
    Session runSession(const QString &kind);
    double floorPerTabMiB();
    Reply lookUp(QProcess &child, const QString &label, int suffixes, Session &session);
    void waitForQuiet(QProcess &child);
    int settleMs() const;
    // Idle CPU of `program` and of `baseline`, both alive, as shares of one core: medians over
    // windows that both are read across, so that the load of the machine falls on both alike;
    // and the share of each thread over all the windows (see ProcessTree).
    struct Idle {
        double program = NAN;
        double baseline = NAN;
        QHash<QString, double> threads[2]; // program, baseline
    };
    Idle idleBeside(QProcess &program, QProcess &baseline);
    int idleWindows() const;
    int idleWindowSeconds() const;
    QString displayName() const;
    void printReport(const Session &app, const Session &plain, double appStartMs,
                     double plainStartMs, double floorMiB, double seconds) const;

    QString m_program;
    Options m_options;
    StubWhoisServer m_server;
    // Answers the DNS hints' questions as a nearby resolver would: every name has name servers
    // but the made-up one the hints ask to check the resolver.
    LoopbackDns m_dns{LoopbackDns::nearby()};
    // Registries for the suffixes the lookups use, on two servers, holding every name.
    LoopbackRegistry m_registry;
    QProcessEnvironment m_environment;
};
