#include "BuildConfig.h"
#include "platform/webengine/EngineCommandLine.h"
#include "window/LookupProgram.h"
#include "window/ProgramOptions.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    LookupProgram::prepareProcess();
    QApplication::setApplicationVersion(QString::fromUtf8(kProgramVersion));
    if (ProgramOptions options(argc, argv); options.asked())
        options.answer();

    platform::EngineCommandLine commandLine(argc, argv);
    QApplication app(commandLine.argc(), commandLine.argv());
    LookupProgram::nameApplication();

    LookupProgram program(QString::fromUtf8(kLookupBaseUrl), QString::fromUtf8(kStartPageUrl),
                          nullptr, {}, QUrl(QString::fromUtf8(kRdapBootstrapUrl)));
    program.window().Show();
    return app.exec();
}
