#include "window/ProgramOptions.h"

#include "platform/webengine/EngineCommandLine.h"
#include "window/LookupStartup.h"

#include <QApplication>

#include <array>

ProgramOptions::ProgramOptions(int argc, char **argv)
{
    m_parser.setApplicationDescription(
        QStringLiteral("Looks up a domain name under many suffixes at once, one result tab per "
                       "suffix.\nTakes no name or setting from the command line. Qt's standard "
                       "options\n(see --help-all) are Qt's, and switches after --webEngineArgs "
                       "go to the\nweb engine."));
    // "-reverse" is one of Qt's options, not -r -e -v ...: single dashes start long names.
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = m_parser.addHelpOption();
    const QCommandLineOption version = m_parser.addVersionOption();

    // The engine's switches are its own, even one spelt like ours; the separator is found
    // where and as the engine finds it.
    const int separator = platform::EngineCommandLine::separatorIndex(argc, argv);
    for (int i = 0; i < separator; ++i)
        m_arguments << QString::fromLocal8Bit(argv[i]);
    // Unknown options are no error here: they are Qt's, which it takes off the command line
    // only when the application object is made, after this, or the engine's.
    m_parser.parse(m_arguments);
    m_helpAll = m_parser.isSet(QStringLiteral("help-all"));
    m_help = m_parser.isSet(help);
    m_version = m_parser.isSet(version);
}

void ProgramOptions::answer()
{
    // An application object on no screen: the answer needs no display, and --help-all can
    // list Qt's options for a program of this kind. Each way out below ends the process.
    QByteArray program = m_arguments.value(0).toLocal8Bit();
    QByteArray platform[] = {"-platform", "offscreen"};
    std::array<char *, 4> argv = {program.data(), platform[0].data(), platform[1].data(), nullptr};
    int argc = 3;
    QApplication app(argc, argv.data());
    LookupStartup::nameApplication();
    if (m_helpAll)
        m_parser.process(QStringList{m_arguments.value(0), QStringLiteral("--help-all")});
    if (m_help)
        m_parser.showHelp();
    m_parser.showVersion();
}
