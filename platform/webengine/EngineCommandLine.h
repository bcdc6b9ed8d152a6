#pragma once

#include <QByteArrayList>

#include <vector>

namespace platform {

// The command line for the application object, with the program's own switches for the web
// engine added: one renderer process per site, so that the many result pages of the lookup
// service share one renderer instead of starting one each; page scripts without the JIT (V8's
// jitless mode, which leaves WebAssembly out too), since the engine no longer gets security
// fixes and most exploits of an old engine need the JIT; and no GPU work for pages, which the
// engine would do inside the program's own, unsandboxed process (the profile's settings do
// not reach OffscreenCanvas, in a page or a worker). The engine reads switches only after
// --webEngineArgs, or from QTWEBENGINE_CHROMIUM_FLAGS alone when that is set: ours go where
// it reads them, before the user's, which may end the switches. A user's own --js-flags keep
// --jitless unless they say --no-jitless, and V8's memory reducer stays off (see the source).
class EngineCommandLine {
public:
    EngineCommandLine(int argc, char **argv);
    EngineCommandLine(const EngineCommandLine &) = delete;
    EngineCommandLine &operator=(const EngineCommandLine &) = delete;

    // For the application object, which keeps both: this object must outlive it.
    int &argc() { return m_argc; }
    char **argv() { return m_argv.data(); }

    // The V8 flags the program's --js-flags start with.
    static const char kOurJsFlags[];

    // Where the engine's switches begin, as the engine finds it (this exact spelling, the
    // first one); argc when there is none.
    static int separatorIndex(int argc, char *const *argv);

private:
    QByteArrayList m_added;
    std::vector<char *> m_argv;
    int m_argc = 0;
};

} // namespace platform
