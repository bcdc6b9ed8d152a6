#include "platform/webengine/BrowserView.h"

#include <QChildEvent>
#include <QColorDialog>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <QWebEngineContextMenuRequest>

namespace platform {

BrowserView::BrowserView(QWidget *parent) : QWebEngineView(parent) {}

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
