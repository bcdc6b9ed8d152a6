#include "PlainSubject.h"

#include "platform/webengine/BrowserPage.h"
#include "platform/webengine/BrowserProfile.h"
#include "platform/webengine/LinkHandOff.h"
#include "platform/webengine/LoadScheduler.h"
#include "platform/webengine/PageFreezer.h"
#include "platform/webengine/ProgramLoad.h"
#include "platform/webengine/RendererWatchdog.h"
#include "window/FrmSearchControls.h"

#include <QEvent>
#include <QWebEngineProfile>
#include <QWebEngineView>

namespace {

// Where the program's window puts its browsers: 8 px in, below the tab strip, with room
// for the frame below.
QRect viewRect(QSize window)
{
    return {8, 96, window.width() - 24, window.height() - 139};
}

} // namespace

PlainSubject::PlainSubject(const QString &rootUrl, QUrl startPageUrl, QString addition)
    : Subject(rootUrl), m_startPageUrl(std::move(startPageUrl)), m_addition(std::move(addition))
{
    m_window.installEventFilter(this);
    if (m_addition == u"profile")
        m_profile = std::make_unique<platform::BrowserProfile>();
    else if (m_addition == u"tracker")
        platform::LinkHandOff::prepareProfile(QWebEngineProfile::defaultProfile());
    else if (m_addition == u"scheduler")
        m_loads = std::make_unique<platform::LoadScheduler>();
}

PlainSubject::~PlainSubject()
{
    // Pages go before the profile they are on.
    qDeleteAll(std::exchange(m_views, {}));
}

bool PlainSubject::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_window && event->type() == QEvent::Resize) {
        for (QWebEngineView *view : std::as_const(m_views))
            view->setGeometry(viewRect(m_window.size()));
    }
    return false;
}

QWebEngineView *PlainSubject::addView()
{
    auto *view = new QWebEngineView(&m_window);
    if (m_profile)
        view->setPage(new QWebEnginePage(m_profile.get(), view));
    if (m_addition == u"watchdog")
        new platform::RendererWatchdog(view->page(), new platform::ProgramLoad(view->page()),
                                       platform::BrowserPage::kProgramWorld);
    view->setGeometry(viewRect(m_window.size()));
    if (m_addition == u"floor" && !m_views.isEmpty()) {
        new platform::PageFreezer(view->page(), new platform::ProgramLoad(view->page()));
        view->hide();
    } else {
        view->show();
    }
    view->lower();
    m_views.append(view);
    return view;
}

QWebEnginePage *PlainSubject::showWindow()
{
    // Shown as the program's window is, at the same size, so that both draw as much.
    m_window.resize(platform::toPixels(FrmSearchControls::ClientWidth),
                    platform::toPixels(FrmSearchControls::ClientHeight));
    m_window.showMaximized();
    QWebEngineView *view = addView();
    view->load(m_startPageUrl);
    return view->page();
}

QList<QWebEnginePage *> PlainSubject::pages()
{
    QList<QWebEnginePage *> all;
    for (QWebEngineView *view : std::as_const(m_views))
        all << view->page();
    return all;
}

QList<Subject::Load> PlainSubject::lookUp(const QString &label, const QStringList &suffixes)
{
    QList<Load> loads;
    pressed();
    for (qsizetype i = 0; i < suffixes.size(); ++i) {
        QWebEngineView *view = i == 0 ? m_views.first() : addView();
        const QUrl url = address(label, suffixes[i]);
        // As the program's own load where the watchdog or the freezer looks for one.
        auto *programLoad = view->page()->findChild<platform::ProgramLoad *>();
        const auto start = [view, url, programLoad] {
            programLoad ? programLoad->start(url) : view->load(url);
        };
        if (m_loads)
            m_loads->requestLoad(view, start);
        else
            start();
        loads.append({view->page(), url});
    }
    return loads;
}
