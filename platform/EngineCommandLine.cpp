#include "platform/EngineCommandLine.h"

#include <QtGlobal>

#include <algorithm>

namespace platform {

EngineCommandLine::EngineCommandLine(int argc, char **argv) : m_argv(argv, argv + argc)
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        const bool separated = std::any_of(argv + std::min(argc, 1), argv + argc, [](char *arg) {
            return qstricmp(arg, "--webEngineArgs") == 0;
        });
        if (!separated)
            m_added << "--webEngineArgs";
        m_added << "--process-per-site";
        for (QByteArray &arg : m_added)
            m_argv.push_back(arg.data());
    }
    m_argc = int(m_argv.size());
    // As in main's own argv, the list ends with a null pointer.
    m_argv.push_back(nullptr);
}

} // namespace platform
