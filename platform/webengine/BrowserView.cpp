#include "platform/webengine/BrowserView.h"

#include <QChildEvent>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QToolTip>
#include <QWebEngineContextMenuRequest>

namespace platform {

namespace {

// Text a page chose, for a tooltip: plain, whatever markup it holds (Qt would draw tables
// and images, in the program's own process), and small enough for the screen, whatever its
// characters and the screen's pixel density: a few lines of at most `width` pixels each.
QString plainTip(const QString &text, const QFontMetrics &metrics, int width)
{
    if (text.isEmpty())
        return {};
    // Qt also starts a new line at the line and paragraph separators.
    QStringList lines = QString(text)
                            .replace(QChar::LineSeparator, u'\n')
                            .replace(QChar::ParagraphSeparator, u'\n')
                            .split(u'\n');
    if (lines.size() > BrowserView::kTipLines) {
        lines.resize(BrowserView::kTipLines);
        lines.back() = QStringLiteral("\u2026");
    }
    for (QString &line : lines) {
        for (QChar &c : line) {
            if (!c.isPrint() && !c.isSurrogate())
                c = u' ';
        }
        if (line.size() > BrowserView::kTipLineLength) {
            qsizetype keep = BrowserView::kTipLineLength - 1;
            if (line.at(keep - 1).isHighSurrogate())
                --keep;
            line = line.left(keep) + u'\u2026';
        }
        line = metrics.elidedText(line, Qt::ElideRight, width);
    }
    return QStringLiteral("<p style=\"white-space:pre\">%1</p>")
        .arg(lines.join(u'\n').toHtmlEscaped());
}

} // namespace

BrowserView::BrowserView(QWidget *parent) : QWebEngineView(parent) {}

bool BrowserView::event(QEvent *event)
{
    // The engine sets the text it gets from the page; each change is made plain before any
    // tooltip can show it.
    if (event->type() == QEvent::ToolTipChange && toolTip() != m_tip) {
        // Lines no wider than the view's screen, with room for the tooltip's frame.
        const QFontMetrics metrics(QToolTip::font());
        const int width = screen()->availableGeometry().width() - 4 * metrics.averageCharWidth();
        m_tip = plainTip(toolTip(), metrics, width);
        setToolTip(m_tip);
    }
    return QWebEngineView::event(event);
}

void BrowserView::contextMenuEvent(QContextMenuEvent *event)
{
    const QWebEngineContextMenuRequest *request = lastContextMenuRequest();
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    if (request && !request->selectedText().isEmpty())
        menu->addAction(pageAction(QWebEnginePage::Copy));
    if (request && request->linkUrl().isValid())
        menu->addAction(pageAction(QWebEnginePage::CopyLinkToClipboard));
    menu->addAction(pageAction(QWebEnginePage::SelectAll));
    menu->popup(event->globalPos());
}

void BrowserView::childEvent(QChildEvent *event)
{
    // The engine's colour chooser is a dialog on this view, made and opened in one go. It
    // is polished just before it would show: it never reaches the screen, and is refused.
    if (event->type() == QEvent::ChildPolished) {
        if (auto *dialog = qobject_cast<QColorDialog *>(event->child())) {
            dialog->setAttribute(Qt::WA_DontShowOnScreen);
            QTimer::singleShot(0, dialog, &QDialog::reject);
        }
    }
    QWebEngineView::childEvent(event);
}

} // namespace platform
