#pragma once

#include "RecordingBrowser.h"
#include "ScriptedDialogs.h"
#include "ScriptedResolver.h"

#include "window/FrmSearch.h"

#include <QTest>
#include <QWindow>

// What every window test does to the window, on any browser.
namespace testwindow {

// `count` suffixes ".s0", ".s1", ... in use.
inline QStringList suffixes(int count)
{
    QStringList list;
    for (int i = 0; i < count; ++i)
        list << QStringLiteral(".s%1").arg(i);
    return list;
}

inline void useSuffixes(FrmSearchControls &f, const QStringList &suffixes)
{
    while (f.lstPreFixUse.ListCount() > 0)
        f.lstPreFixUse.RemoveItem(0);
    for (const QString &suffix : suffixes)
        f.lstPreFixUse.AddItem(suffix);
}

inline void lookUp(FrmSearch &window, const QString &label)
{
    window.controls().txtLookUp.setText(label);
    window.lookupRun().cmdSearch_Click();
}

// `key` held under X: Qt's flagged repeats, and one it missed, at the time of the release.
inline void holdKey(QWidget *widget, Qt::Key key)
{
    for (auto [type, at, repeat] : {std::tuple{QEvent::KeyPress, 100, false},
                                    {QEvent::KeyRelease, 600, true},
                                    {QEvent::KeyPress, 600, true},
                                    {QEvent::KeyRelease, 640, false},
                                    {QEvent::KeyPress, 640, false},
                                    {QEvent::KeyRelease, 900, false}}) {
        QKeyEvent event(type, key, {}, key == Qt::Key_Return ? QStringLiteral("\r") : QString(),
                        repeat);
        event.setTimestamp(at);
        QApplication::sendEvent(widget, &event);
    }
}

} // namespace testwindow

// The window on recording browsers and scripted dialogs: the handlers without an engine.
struct WindowFixture {
    static inline const QString base = QStringLiteral("http://127.0.0.1:9/whois/");
    static inline const QString startPage = QStringLiteral("qrc:/start/start.html");

    std::shared_ptr<BrowserLog> log = std::make_shared<BrowserLog>();
    ScriptedDialogs dialogs;
    ScriptedResolver dns; // unless the test gives the window a resolver of its own
    FrmSearch window;
    FrmSearchControls &f = window.controls();

    // Registries are asked only where a test gives the window one.
    explicit WindowFixture(platform::NameServerLookup *resolver = nullptr,
                           platform::RegistryLookup *registry = nullptr)
        : window(base, startPage, RecordingBrowser::factory(log), &dialogs,
                 resolver ? resolver : &dns, registry)
    {
    }

    // Started, and shown as a normal window with a client area of `client` pixels.
    bool show(QSize client = {691, 525})
    {
        window.Show();
        f.frmSearch.showNormal();
        return QTest::qWaitForWindowExposed(&f.frmSearch) && resize(client);
    }
    bool resize(QSize client)
    {
        f.frmSearch.resize(client);
        return QTest::qWaitFor([&] { return f.frmSearch.size() == client; });
    }
    void useSuffixes(const QStringList &suffixes) { testwindow::useSuffixes(f, suffixes); }
    // A lookup of "example" over `tabs` suffixes.
    void lookUp(int tabs)
    {
        useSuffixes(testwindow::suffixes(tabs));
        lookUp(QStringLiteral("example"));
    }
    void lookUp(const QString &label) { testwindow::lookUp(window, label); }

    // W and H: the outer size, with whatever frame the platform reports.
    QSizeF outerTwips() const
    {
        return QSizeF(f.frmSearch.size().grownBy(f.frmSearch.windowHandle()->frameMargins())) * 15;
    }
    QList<float> tabLefts() const
    {
        QList<float> lefts;
        for (platform::Index i = 0; i < f.imgTab.Count(); ++i)
            lefts << f.imgTab(i).Left();
        return lefts;
    }
    QStringList captions() const
    {
        QStringList all;
        for (platform::Index i = 0; i < f.lbPreFix.Count(); ++i)
            all << f.lbPreFix(i).Caption();
        return all;
    }
    // On a tab's picture, clear of its caption; and on its caption.
    QPoint tabPicture(platform::Index i) const
    {
        return f.imgTab(i).pixelRect().topLeft() + QPoint(20, 5);
    }
    QPoint tabCaption(platform::Index i) const { return f.lbPreFix(i).pixelRect().center(); }
    void click(QPoint at) { QTest::mouseClick(f.frmSearch.windowHandle(), Qt::LeftButton, {}, at); }
};
