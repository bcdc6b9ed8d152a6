#include "platform/webengine/EngineCommandLine.h"

#include <QList>
#include <QtGlobal>

#include <cstring>
#include <optional>

namespace platform {

namespace {

const char kSeparator[] = "--webEngineArgs";

// The engine reads each argument trimmed, and a lone "--" as the end of its switches: what
// follows is plain arguments, whatever it looks like.
bool endsSwitches(const QByteArray &arg)
{
    return arg.trimmed() == "--";
}

// The value of a --js-flags switch, as the engine reads it ("--" or "-" before the name, an
// optional "=value" after it); nothing for any other argument.
std::optional<QByteArray> jsFlagsValue(const QByteArray &arg)
{
    const QByteArray trimmed = arg.trimmed();
    const qsizetype dashes = trimmed.startsWith("--") ? 2 : trimmed.startsWith('-') ? 1 : 0;
    const qsizetype equals = trimmed.indexOf('=');
    if (dashes == 0 || trimmed.mid(dashes, equals < 0 ? -1 : equals - dashes) != "js-flags")
        return std::nullopt;
    return equals < 0 ? QByteArray() : trimmed.mid(equals + 1);
}

// The user's switches with ours first, where nothing the user adds (a lone "--" above all)
// can keep the engine from reading them. The engine takes only the last --js-flags, so the
// user's last one before the end of the switches goes into ours, after our V8 flags: V8 reads
// them in order, which leaves the user the last word, and that must be an explicit
// --no-jitless. A --js-flags after the end of the switches is a plain argument, left as it is.
QByteArrayList withOurSwitches(QByteArrayList args)
{
    QByteArray jsFlags = QByteArray("--js-flags=") + EngineCommandLine::kOurJsFlags;
    std::optional<QByteArray> users;
    for (auto arg = args.begin(); arg != args.end() && !endsSwitches(*arg);) {
        if (const std::optional<QByteArray> value = jsFlagsValue(*arg)) {
            users = value;
            arg = args.erase(arg);
        } else {
            ++arg;
        }
    }
    if (users && !users->isEmpty())
        jsFlags += ' ' + *users;
    return QByteArrayList{"--process-per-site", "--disable-gpu", jsFlags} + args;
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
        // The engine reads these instead of the command line.
        const QByteArrayList flags = splitFlags(qgetenv("QTWEBENGINE_CHROMIUM_FLAGS"));
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", joinFlags(withOurSwitches(flags)));
        m_argv.assign(argv, argv + argc);
    } else {
        const int separator = separatorIndex(argc, argv);
        QByteArrayList users;
        for (int i = separator + 1; i < argc; ++i)
            users << argv[i];
        m_added = withOurSwitches(users);
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
