#include "tabs/ResultsCopy.h"

#include "tabs/TabRecords.h"
#include "tabs/TabVerdict.h"
#include "window/FrmSearchControls.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QShortcut>

namespace {

// A cell stays one cell, whatever a registry put in it.
QString cell(QString text)
{
    for (QChar &c : text) {
        if (c == u'\t' || c == u'\n' || c == u'\r')
            c = u' ';
    }
    return text;
}

QString date(const QDate &date)
{
    return date.isValid() ? date.toString(Qt::ISODate) : QString();
}

} // namespace

ResultsCopy::ResultsCopy(FrmSearchControls &form, const TabRecords &records) : m_records(records)
{
    auto *shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), &form.frmSearch);
    QObject::connect(shortcut, &QShortcut::activated, shortcut, [this] { copy(); });
    form.frmSearch.setContextMenu(form.stripRows(),
                                  {{QStringLiteral("Copy results"), [this] { copy(); }}});
}

QString ResultsCopy::table(const TabRecords &records)
{
    QStringList lines = {QStringLiteral("domain\tverdict\tregistrar\tregistered\texpires\tstatus")};
    for (platform::Index i = 0; i < records.count(); ++i) {
        const TabRecord &r = records.record(i);
        if (r.domain.isEmpty())
            continue;
        lines << QStringList{cell(r.domain),
                             TabVerdict::summary(TabVerdict::kind(r)),
                             cell(r.registry.registrar),
                             date(r.registry.registered),
                             date(r.registry.expires),
                             cell(r.registry.status.join(QStringLiteral(", ")))}
                     .join(u'\t');
    }
    return lines.join(u'\n') + u'\n';
}

void ResultsCopy::copy()
{
    QGuiApplication::clipboard()->setText(table(m_records));
}
