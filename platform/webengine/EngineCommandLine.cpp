#include "platform/webengine/EngineCommandLine.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>

namespace platform {

EngineCommandLine::EngineCommandLine(int argc, char **argv) : m_argv(argv, argv + argc)
{
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        // The engine takes only this exact spelling as the start of its switches.
        char **const end = argv + argc;
        char **const separator = std::find_if(argv + std::min(argc, 1), end, [](char *arg) {
            return std::strcmp(arg, "--webEngineArgs") == 0;
        });
        if (separator == end)
            m_added << "--webEngineArgs";
        m_added << "--process-per-site";
        // Where the user gives V8 switches of their own, theirs stand, as the engine would
        // take only the last --js-flags anyway.
        const bool userJsFlags = std::any_of(
            separator, end, [](char *arg) { return std::strncmp(arg, "--js-flags=", 11) == 0; });
        if (!userJsFlags)
            m_added << "--js-flags=--jitless";
        for (QByteArray &arg : m_added)
            m_argv.push_back(arg.data());
    }
    m_argc = int(m_argv.size());
    // As in main's own argv, the list ends with a null pointer.
    m_argv.push_back(nullptr);
}

} // namespace platform
