#include "platform/EngineCommandLine.h"

#include <QTest>

using platform::EngineCommandLine;

class TestEngineCommandLine : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void switchesFollowTheSeparator_data();
    void switchesFollowTheSeparator();
};

void TestEngineCommandLine::switchesFollowTheSeparator_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<QByteArray>("userFlags"); // null: QTWEBENGINE_CHROMIUM_FLAGS unset
    QTest::addColumn<QStringList>("expected");

    const QStringList ours = {"--webEngineArgs", "--process-per-site"};
    QTest::newRow("program alone")
        << QStringList{"quillet-lookup"} << QByteArray() << QStringList{"quillet-lookup"} + ours;
    QTest::newRow("Qt options stay before")
        << QStringList{"quillet-lookup", "-platform", "offscreen"} << QByteArray()
        << QStringList{"quillet-lookup", "-platform", "offscreen"} + ours;
    QTest::newRow("user's engine switches kept")
        << QStringList{"quillet-lookup", "--WebEngineArgs", "--no-sandbox"} << QByteArray()
        << QStringList{"quillet-lookup", "--WebEngineArgs", "--no-sandbox", "--process-per-site"};
    // The engine would ignore ours anyway; adding nothing says so.
    QTest::newRow("user's flags") << QStringList{"quillet-lookup"} << QByteArray("--single-process")
                                  << QStringList{"quillet-lookup"};
    QTest::newRow("user's empty flags")
        << QStringList{"quillet-lookup"} << QByteArray("") << QStringList{"quillet-lookup"};
}

void TestEngineCommandLine::switchesFollowTheSeparator()
{
    QFETCH(QStringList, given);
    QFETCH(QByteArray, userFlags);
    QFETCH(QStringList, expected);

    const QByteArray saved = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    const bool wasSet = qEnvironmentVariableIsSet("QTWEBENGINE_CHROMIUM_FLAGS");
    if (userFlags.isNull())
        qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    else
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", userFlags);

    QByteArrayList storage;
    std::vector<char *> argv;
    for (const QString &arg : given)
        storage << arg.toUtf8();
    for (QByteArray &arg : storage)
        argv.push_back(arg.data());
    argv.push_back(nullptr);
    EngineCommandLine commandLine(int(given.size()), argv.data());

    if (wasSet)
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", saved);
    else
        qunsetenv("QTWEBENGINE_CHROMIUM_FLAGS");

    QStringList result;
    for (int i = 0; i < commandLine.argc(); ++i)
        result << QString::fromUtf8(commandLine.argv()[i]);
    QCOMPARE(result, expected);
    QCOMPARE(commandLine.argv()[commandLine.argc()], nullptr);
}

QTEST_GUILESS_MAIN(TestEngineCommandLine)
#include "tst_enginecommandline.moc"
