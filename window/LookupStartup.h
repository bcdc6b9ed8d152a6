#pragma once

#include "platform/webengine/EngineCommandLine.h"

#include <QApplication>

// The process as the program starts it, up to its window: the settings that must be in place
// before the application object exists, the answer to --help and --version, the engine's
// switches, and the application object named as its desktop entry. The program, its tests,
// the benchmark and the screenshot tool all start here, so a step added here reaches them all.
class LookupStartup {
public:
    // Whether argv is the program's, whose --help and --version are answered (ending the
    // process), or a test's or tool's own, whose options are theirs to read.
    enum class Answer { HelpAndVersion, Nothing };

    LookupStartup(int argc, char **argv, Answer answer);
    LookupStartup(const LookupStartup &) = delete;
    LookupStartup &operator=(const LookupStartup &) = delete;

    // Name, version and desktop entry, as every application object of the program has them.
    static void nameApplication();

private:
    // Runs before the other members are made: the process set-up, and --help or --version.
    struct Prepared {
        Prepared(int argc, char **argv, Answer answer);
    };

    // In this order: the application object keeps the command line's argc and argv.
    Prepared m_prepared;
    platform::EngineCommandLine m_commandLine;
    QApplication m_application;
};
