#include "EngineFixture.h"

#include <QFile>
#include <QSslKey>
#include <QSslSocket>

QVariant runScript(QWebEnginePage *page, const QString &script)
{
    QVariant result;
    bool done = false;
    page->runJavaScript(script, [&](const QVariant &value) {
        result = value;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kPatience))
        qWarning("no answer from the page to: %s", qPrintable(script));
    return result;
}

QString textOf(QWebEnginePage *page)
{
    QString text;
    bool done = false;
    page->toPlainText([&](const QString &t) {
        text = t;
        done = true;
    });
    if (!QTest::qWaitFor([&] { return done; }, kPatience))
        qWarning("no text from %s", qPrintable(page->url().toString()));
    return text;
}

bool EngineFixture::started()
{
    window.Show();
    // As a desktop's window manager would make it on an X server that has none.
    f.frmSearch.activateWindow();
    return QTest::qWaitForWindowActive(&f.frmSearch) &&
           QTest::qWaitFor([&] { return title(0) == u"Quillet Lookup"; }, kPatience);
}

LoopbackServer::Reply titledPage(const QString &path)
{
    if (path == u"/favicon.ico")
        return {404, {}};
    const QByteArray title = path.toHtmlEscaped().toUtf8();
    return {200, "<!doctype html><html><head><title>" + title + "</title></head><body><h1>" +
                     title + "</h1></body></html>"};
}

QSslConfiguration loopbackTls()
{
    QFile certificate(QStringLiteral(":/testdata/loopback-cert.pem"));
    QFile key(QStringLiteral(":/testdata/loopback-key.pem"));
    certificate.open(QIODevice::ReadOnly);
    key.open(QIODevice::ReadOnly);
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(certificate.readAll()));
    tls.setPrivateKey(QSslKey(key.readAll(), QSsl::Rsa));
    tls.setPeerVerifyMode(QSslSocket::VerifyNone);
    return tls;
}
