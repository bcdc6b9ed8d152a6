#pragma once

#include <QByteArrayList>

#include <vector>

namespace platform {

// The command line for the application object, with the program's own switches for the web
// engine added: one renderer process per site, so that the many result pages of the lookup
// service share one renderer instead of starting one each; and page scripts without the JIT
// (V8's jitless mode, which leaves WebAssembly out too), since the engine no longer gets
// security fixes and most exploits of an old engine need the JIT. The engine reads switches
// only after --webEngineArgs, and a user's QTWEBENGINE_CHROMIUM_FLAGS, when set, replaces
// them all: then nothing is added and the user keeps the last word.
class EngineCommandLine {
public:
    EngineCommandLine(int argc, char **argv);
    EngineCommandLine(const EngineCommandLine &) = delete;
    EngineCommandLine &operator=(const EngineCommandLine &) = delete;

    // For the application object, which keeps both: this object must outlive it.
    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }

private:
    QByteArrayList m_added;
    std::vector<char *> m_argv;
    int m_argc = 0;
};

} // namespace platform
