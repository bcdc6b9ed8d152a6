#pragma once

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QStringList>

// The program's own command-line options: --help and --version, as desktop programs have
// them. Nothing else is taken from the command line: Qt's standard options (-platform,
// -style, ...) are Qt's, and everything after --webEngineArgs is the engine's.
class ProgramOptions {
public:
    // Reads the command line as main() gets it, before the application object exists.
    ProgramOptions(int argc, char **argv);

    // --help, --help-all or --version was given.
    bool asked() const { return m_help || m_helpAll || m_version; }

    // Prints what was asked for and ends the process, as Qt's parser does. Needs no display.
    [[noreturn]] void answer();

private:
    QCommandLineParser m_parser;
    QStringList m_arguments;
    bool m_help = false;
    bool m_helpAll = false;
    bool m_version = false;
};
