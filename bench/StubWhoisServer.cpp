#include "StubWhoisServer.h"

#include "StubWhoisPage.h"

#include <QUrl>

StubWhoisServer::StubWhoisServer()
    : m_page(StubWhoisPage::pageTemplate()), m_styleSheet(StubWhoisPage::styleSheet()),
      m_image(StubWhoisPage::image()), m_script(StubWhoisPage::script()),
      m_server([this](const QString &path) { return respond(path); })
{
    m_server.setKeepAlive(true);
}

int StubWhoisServer::pageRequests(const QString &prefix) const
{
    int count = 0;
    const QHash<QString, int> &requests = m_server.requestCounts();
    for (auto it = requests.begin(); it != requests.end(); ++it) {
        if (!it.key().startsWith(u"/static/") &&
            QUrl::fromPercentEncoding(it.key().mid(1).toLatin1()).startsWith(prefix))
            count += it.value();
    }
    return count;
}

LoopbackServer::Reply StubWhoisServer::respond(const QString &path) const
{
    const QByteArray cached = "max-age=3600";
    if (path == u"/static/whois.css")
        return {200, m_styleSheet, "text/css", {{"Cache-Control", cached}}};
    if (path == u"/static/logo.png")
        return {200, m_image, "image/png", {{"Cache-Control", cached}}};
    if (path == u"/static/widget.js")
        return {200, m_script, "text/javascript", {{"Cache-Control", cached}}};
    if (path.startsWith(u"/static/") || path == u"/favicon.ico" || path.size() < 2)
        return {404, "not found"};
    const QString domain = QUrl::fromPercentEncoding(path.mid(1).toLatin1());
    QByteArray page = m_page;
    page.replace(StubWhoisPage::kDomainMark, domain.toHtmlEscaped().toUtf8());
    return {200, page, "text/html; charset=utf-8", {{"Cache-Control", "no-store"}}};
}
