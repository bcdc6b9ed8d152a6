#include "platform/webengine/EngineCommandLine.h"

#include <QList>
#include <QtGlobal>

#include <cstring>

namespace platform {

namespace {

const char kSeparator[] = "--webEngineArgs";
const char kJsFlags[] = "js-flags=";

QByteArrayList ourSwitches()
{
    return {"--process-per-site", "--disable-gpu"};
}

// A switch to the engine: "--name" or, as the engine also reads it, "-name".
bool isSwitch(const QByteArray &arg, const char *name)
{
    const qsizetype dashes = arg.startsWith("--") ? 2 : arg.startsWith('-') ? 1 : 0;
    return dashes > 0 && arg.mid(dashes).startsWith(name);
}

// V8 reads its flags in order, so ours first leaves the user the last word, which must be
// an explicit --no-jitless; the engine itself takes only the last --js-flags.
void keepOurJsFlags(QByteArrayList &switches)
{
    bool found = false;
    for (QByteArray &arg : switches) {
        if (isSwitch(arg, kJsFlags)) {
            const qsizetype value = arg.indexOf('=') + 1;
            arg = arg.left(value) + EngineCommandLine::kOurJsFlags + ' ' + arg.mid(value);
            found = true;
        }
    }
    if (!found)
        switches << QByteArray("--") + kJsFlags + EngineCommandLine::kOurJsFlags;
}

// The engine's own reading of QTWEBENGINE_CHROMIUM_FLAGS: space-separated, with double
// quotes around (parts of) an argument that holds spaces.
QByteArrayList splitFlags(const QByteArray &flags)
{
    QByteArrayList args;
    QByteArray arg;
    bool quoted = false;
    bool inArg = false;
    for (const char c : flags) {
        if (c == '"') {
            quoted = !quoted;
            inArg = true;
        } else if (c == ' ' && !quoted) {
            if (inArg && !arg.isEmpty())
                args << arg;
            arg.clear();
            inArg = false;
        } else {
            arg += c;
            inArg = true;
        }
    }
    if (!arg.isEmpty())
        args << arg;
    return args;
}

QByteArray joinFlags(const QByteArrayList &args)
{
    QByteArrayList quoted;
    for (const QByteArray &arg : args)
        quoted << (arg.contains(' ') ? '"' + arg + '"' : arg);
    return quoted.join(' ');
}

} // namespace

// No JIT (see the header); and no memory reducer, whose collections, run a few seconds after
// each page load, walk the heaps of every page the site's one renderer holds: with a hundred
// frozen tabs, half a second of work each time for a heap a few per cent smaller.
const char EngineCommandLine::kOurJsFlags[] = "--jitless --no-memory-reducer";

int EngineCommandLine::separatorIndex(int argc, char *const *argv)
{
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], kSeparator) == 0)
            return i;
    }
    return argc;
}

EngineCommandLine::EngineCommandLine(int argc, char **argv)
{
    if (qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS")) {
        // The engine reads these instead of the command line: ours first, before anything
        // (a lone "--") that would end the switches.
        QByteArrayList flags = ourSwitches() + splitFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
        keepOurJsFlags(flags);
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", joinFlags(flags));
        m_argv.assign(argv, argv + argc);
    } else {
        // Ours right after the separator, before anything that would end the switches.
        const int separator = separatorIndex(argc, argv);
        for (int i = separator + 1; i < argc; ++i)
            m_added << argv[i];
        m_added = ourSwitches() + m_added;
        keepOurJsFlags(m_added);
        m_added.prepend(kSeparator);
        m_argv.assign(argv, argv + separator);
        for (QByteArray &arg : m_added)
            m_argv.push_back(arg.data());
    }
    m_argc = int(m_argv.size());
    // As in main's own argv, the list ends with a null pointer.
    m_argv.push_back(nullptr);
}

} // namespace platform
