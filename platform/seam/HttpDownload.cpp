#include "HttpDownload.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFileInfo>
#include <QIODevice>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace zeb {

namespace {

bool hasSuccessStatus(const QNetworkReply& reply)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    return status >= 200 && status <= 299;
}

} // namespace

bool httpDownload(const QUrl& url, QIODevice& target, std::chrono::milliseconds inactivity)
{
    if (!url.isValid() || url.isRelative())
        return false;

    QNetworkAccessManager manager;
    QNetworkRequest request(url);
    request.setTransferTimeout(static_cast<int>(inactivity.count()));
    // Stated, not left to the default: a redirection is followed, but never from HTTPS to HTTP.
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader,
                      QFileInfo(QCoreApplication::applicationFilePath()).fileName());
    // A compressed answer would make Content-Length count other bytes than those written.
    request.setRawHeader("Accept-Encoding", "identity");
    QNetworkReply* reply = manager.get(request);

    qint64 written = 0;
    bool writeFailed = false;
    const auto takeArrived = [&] {
        if (writeFailed || !reply->isOpen())
            return;
        // An error page or a redirection's body is read and dropped.
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !hasSuccessStatus(*reply))
            return;
        if (target.write(chunk) != chunk.size()) {
            writeFailed = true;
            reply->abort();
            return;
        }
        written += chunk.size();
    };

    // Destroyed before the reply and the counters, taking its connections with it.
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, takeArrived);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!reply->isFinished())
        return false;
    takeArrived();

    if (writeFailed || reply->error() != QNetworkReply::NoError || !hasSuccessStatus(*reply) || written == 0)
        return false;
    const QVariant promised = reply->header(QNetworkRequest::ContentLengthHeader);
    return !promised.isValid() || promised.toLongLong() == written;
}

} // namespace zeb
