#include "platform/rdap/RdapRequest.h"

#include <QLocale>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QTimer>

#include <algorithm>
#include <array>

namespace platform {

RdapRequest::RdapRequest(QNetworkAccessManager &network, QNetworkRequest request, int timeoutMs,
                         Done done)
    : m_network(network), m_request(std::move(request)), m_done(std::move(done))
{
    // Redirects are followed here, each checked before anything goes to its address. Qt 6.4's
    // own following, with a user-verified policy, sent a request again while a redirect waited
    // to be allowed, lost the answer on a kept connection and went past the redirects allowed.
    m_request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                           QNetworkRequest::ManualRedirectPolicy);
    m_request.setAttribute(QNetworkRequest::AuthenticationReuseAttribute, QNetworkRequest::Manual);
    // Deleted later, not with this request, which its own timeout may end.
    m_deadline = new QTimer(&m_network);
    m_deadline->setSingleShot(true);
    connect(m_deadline, &QTimer::timeout, this, [this, timeoutMs] {
        fail(QStringLiteral("no answer within %1 seconds")
                 .arg(QLocale::c().toString(timeoutMs / 1000.0)));
    });
    m_deadline->start(timeoutMs);
    send(m_request.url());
}

RdapRequest::~RdapRequest()
{
    m_deadline->stop();
    m_deadline->deleteLater();
    disconnect(m_reply, nullptr, this, nullptr);
    m_reply->abort();
    m_reply->deleteLater();
}

void RdapRequest::send(const QUrl &url)
{
    m_request.setUrl(url);
    m_reply = m_network.get(m_request);
    const auto overLimit = QStringLiteral("an answer over %1 MiB").arg(kMaxBytes >> 20);
    connect(m_reply, &QNetworkReply::metaDataChanged, this, [this, overLimit] {
        if (m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > kMaxBytes)
            fail(overLimit);
    });
    // Also for an answer that gives no length, or a compressed one.
    connect(m_reply, &QNetworkReply::downloadProgress, this, [this, overLimit](qint64 received) {
        if (received > kMaxBytes)
            fail(overLimit);
    });
    connect(m_reply, &QNetworkReply::finished, this, &RdapRequest::finish);
}

void RdapRequest::fail(const QString &reason)
{
    m_abortReason = reason;
    // Finishes the reply at once: nothing here may be touched afterwards.
    m_reply->abort();
}

bool RdapRequest::followRedirect()
{
    static constexpr std::array kRedirects = {301, 302, 303, 307, 308};
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QUrl location = m_reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
    if (!m_abortReason.isEmpty() || std::ranges::find(kRedirects, status) == kRedirects.end() ||
        location.isEmpty())
        return false;
    const QUrl target = m_reply->url().resolved(location);
    if (++m_redirects > kMaxRedirects) {
        m_abortReason = QStringLiteral("more than %1 redirects").arg(kMaxRedirects);
        return false;
    }
    if (target.scheme() != u"https" || !target.userInfo().isEmpty()) {
        m_abortReason = QStringLiteral("a redirect to an address that is not https");
        return false;
    }
    disconnect(m_reply, nullptr, this, nullptr);
    m_reply->deleteLater();
    send(target);
    return true;
}

QString RdapRequest::failure() const
{
    if (!m_abortReason.isEmpty())
        return m_abortReason;
    if (m_reply->error() == QNetworkReply::SslHandshakeFailedError)
        return QStringLiteral("no trusted TLS connection");
    return m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid()
               ? QString()
               : QStringLiteral("no connection to the server");
}

void RdapRequest::finish()
{
    if (followRedirect())
        return;
    m_deadline->stop();
    Result result;
    result.failure = failure();
    if (result.failure.isEmpty()) {
        result.status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
        result.body = m_reply->readAll();
        result.retryAfter = m_reply->rawHeader("Retry-After");
    }
    // The callback may destroy this request, and the callback with it.
    const Done done = std::move(m_done);
    done(result);
}

} // namespace platform
