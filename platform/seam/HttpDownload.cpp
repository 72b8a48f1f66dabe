#include "platform/seam/HttpDownload.h"

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

DownloadResult httpDownload(const QUrl& url, QIODevice& target, qint64 maxBytes,
                            std::chrono::milliseconds inactivity)
{
    if (!url.isValid() || url.isRelative())
        return DownloadResult::Failed;

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
    DownloadResult abandoned = DownloadResult::Complete;
    const auto abandon = [&](DownloadResult why) {
        abandoned = why;
        reply->abort();
    };
    const auto takeArrived = [&] {
        if (abandoned != DownloadResult::Complete || !reply->isOpen())
            return;
        // An error page or a redirection's body is read and dropped.
        const QByteArray chunk = reply->readAll();
        if (chunk.isEmpty() || !hasSuccessStatus(*reply))
            return;
        if (chunk.size() > maxBytes - written)
            return abandon(DownloadResult::TooLarge);
        if (target.write(chunk) != chunk.size())
            return abandon(DownloadResult::WriteFailed);
        written += chunk.size();
    };
    // A body announced longer than allowed is not begun.
    const auto checkAnnounced = [&] {
        const QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
        if (abandoned == DownloadResult::Complete && hasSuccessStatus(*reply) && announced.isValid() &&
            announced.toLongLong() > maxBytes)
            abandon(DownloadResult::TooLarge);
    };

    // Destroyed before the reply and the counters, taking its connections with it.
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::metaDataChanged, &loop, checkAnnounced);
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, takeArrived);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!reply->isFinished())
        return DownloadResult::Failed;
    takeArrived();

    if (abandoned != DownloadResult::Complete)
        return abandoned;
    if (reply->error() != QNetworkReply::NoError || !hasSuccessStatus(*reply) || written == 0)
        return DownloadResult::Failed;
    const QVariant promised = reply->header(QNetworkRequest::ContentLengthHeader);
    return !promised.isValid() || promised.toLongLong() == written ? DownloadResult::Complete
                                                                   : DownloadResult::Failed;
}

} // namespace zeb
