#include "BuildConfig.h"
#include "window/LookupProgram.h"
#include "window/LookupStartup.h"

int main(int argc, char *argv[])
{
    LookupStartup startup(argc, argv, LookupStartup::Answer::HelpAndVersion);
    LookupProgram program(QString::fromUtf8(kLookupBaseUrl), QString::fromUtf8(kStartPageUrl),
                          nullptr, {}, QUrl(QString::fromUtf8(kRdapBootstrapUrl)));
    program.window().Show();
    return QApplication::exec();
}
