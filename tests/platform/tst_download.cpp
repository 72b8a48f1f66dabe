#include "platform/seam/DesktopPlatform.h"
#include "platform/seam/HttpDownload.h"
#include "seam/LocalHttpServer.h"

#include <QBuffer>
#include <QRandomGenerator>
#include <QTcpServer>
#include <QTest>

using namespace zeb;
using namespace std::chrono_literals;

namespace {

QByteArray randomBytes(qsizetype size)
{
    QByteArray bytes(size, Qt::Uninitialized);
    for (char& byte : bytes)
        byte = static_cast<char>(QRandomGenerator::global()->bounded(256));
    return bytes;
}

} // namespace

Q_DECLARE_METATYPE(LocalHttpServer::Answer)

class TestDownload : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void spaceInPathIsEncodedOnTheWire();
    void stalledTransferIsAbandoned();
    void unreachableServerFails();
    void longerThanAllowedIsAbandoned_data();
    void longerThanAllowedIsAbandoned();
    void refusedWriteAbandonsTheTransfer();
};

void TestDownload::answers_data()
{
    QTest::addColumn<LocalHttpServer::Answer>("served");
    QTest::addColumn<bool>("succeeds");

    const QByteArray executable = randomBytes(300 * 1024);
    QTest::newRow("whole file") << httpAnswer(200, executable) << true;
    QTest::newRow("one byte") << httpAnswer(200, "x") << true;
    QTest::newRow("404 page") << httpAnswer(404, "<html><body>Not Found</body></html>") << false;
    QTest::newRow("500 page") << httpAnswer(500, "<html><body>Internal Server Error</body></html>") << false;
    QTest::newRow("empty 200") << httpAnswer(200, QByteArray()) << false;

    LocalHttpServer::Answer cut = httpAnswer(200, randomBytes(5000));
    cut.contentLength = 20000;
    QTest::newRow("connection cut before Content-Length") << cut << false;

    LocalHttpServer::Answer slow = httpAnswer(200, randomBytes(4000));
    slow.parts = 5;
    slow.pauseMs = 40;
    QTest::newRow("slow but complete") << slow << true;
}

void TestDownload::answers()
{
    QFETCH(LocalHttpServer::Answer, served);
    QFETCH(bool, succeeds);

    LocalHttpServer server;
    QVERIFY(server.isListening());
    server.serve(QStringLiteral("/file"), served);
    QBuffer target;
    target.open(QIODevice::WriteOnly);

    DesktopPlatform platform;
    const DownloadResult result = platform.download(server.url(QStringLiteral("/file")), target, 1 << 20);
    QCOMPARE(result, succeeds ? DownloadResult::Complete : DownloadResult::Failed);
    if (succeeds)
        QCOMPARE(target.data(), served.body);
    if (served.status != 200)
        QVERIFY(target.data().isEmpty());
}

void TestDownload::spaceInPathIsEncodedOnTheWire()
{
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, "marker"));
    QBuffer target;
    target.open(QIODevice::WriteOnly);

    DesktopPlatform platform;
    QCOMPARE(platform.download(QUrl(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.t")), target, 100),
             DownloadResult::Complete);
    QCOMPARE(target.data(), QByteArray("marker"));
    QCOMPARE(server.requestedPaths(), QStringList{QStringLiteral("/zebprogs/ZEB 7.t")});
}

void TestDownload::stalledTransferIsAbandoned()
{
    LocalHttpServer server;
    LocalHttpServer::Answer stalled = httpAnswer(200, "first half");
    stalled.contentLength = 100;
    stalled.stall = true;
    server.serve(QStringLiteral("/stalled"), stalled);
    QBuffer target;
    target.open(QIODevice::WriteOnly);

    QCOMPARE(httpDownload(server.url(QStringLiteral("/stalled")), target, 1000, 300ms),
             DownloadResult::Failed);
}

void TestDownload::unreachableServerFails()
{
    QTcpServer closed;
    QVERIFY(closed.listen(QHostAddress::LocalHost));
    const quint16 port = closed.serverPort();
    closed.close();
    QBuffer target;
    target.open(QIODevice::WriteOnly);

    DesktopPlatform platform;
    QCOMPARE(platform.download(QUrl(QStringLiteral("http://127.0.0.1:%1/file").arg(port)), target, 100),
             DownloadResult::Failed);
    QCOMPARE(platform.download(QUrl(QStringLiteral("/zebprogs/ZEB 7.t")), target, 100),
             DownloadResult::Failed);
    QVERIFY(target.data().isEmpty());
}

void TestDownload::longerThanAllowedIsAbandoned_data()
{
    QTest::addColumn<LocalHttpServer::Answer>("served");
    QTest::addColumn<QByteArray>("written");

    const QByteArray body = randomBytes(300 * 1024);
    const qint64 allowed = 100 * 1024;
    // Announced: not begun.
    QTest::newRow("Content-Length above the bound") << httpAnswer(200, body) << QByteArray();
    LocalHttpServer::Answer announcedSmall = httpAnswer(200, randomBytes(10));
    announcedSmall.contentLength = allowed + 1;
    announcedSmall.stall = true;
    QTest::newRow("Content-Length above, body not yet sent") << announcedSmall << QByteArray();
    // Unannounced: cut at the bound, nothing past it written.
    LocalHttpServer::Answer unannounced = httpAnswer(200, body);
    unannounced.withoutLength = true;
    unannounced.parts = 30;
    QTest::newRow("no Content-Length, body runs on") << unannounced << QByteArray("at most the bound");
}

void TestDownload::longerThanAllowedIsAbandoned()
{
    QFETCH(LocalHttpServer::Answer, served);
    QFETCH(QByteArray, written);
    const qint64 allowed = 100 * 1024;
    LocalHttpServer server;
    server.serve(QStringLiteral("/file"), served);
    QBuffer target;
    target.open(QIODevice::WriteOnly);

    DesktopPlatform platform;
    QCOMPARE(platform.download(server.url(QStringLiteral("/file")), target, allowed),
             DownloadResult::TooLarge);
    if (written.isEmpty())
        QVERIFY(target.data().isEmpty());
    else
        QVERIFY(target.data().size() <= allowed);
    QVERIFY(served.body.startsWith(target.data()));
}

// A device that takes a few bytes and then no more, as a disk that fills up.
class FillingDevice : public QBuffer
{
protected:
    qint64 writeData(const char* data, qint64 length) override
    {
        const qint64 room = std::max<qint64>(0, 1000 - size());
        return QBuffer::writeData(data, std::min(length, room));
    }
};

void TestDownload::refusedWriteAbandonsTheTransfer()
{
    LocalHttpServer server;
    LocalHttpServer::Answer slow = httpAnswer(200, randomBytes(50000));
    slow.parts = 10;
    server.serve(QStringLiteral("/file"), slow);
    FillingDevice target;
    target.open(QIODevice::WriteOnly);

    DesktopPlatform platform;
    QCOMPARE(platform.download(server.url(QStringLiteral("/file")), target, 1 << 20),
             DownloadResult::WriteFailed);
    QCOMPARE(target.data().size(), 1000);
}

QTEST_GUILESS_MAIN(TestDownload)
#include "tst_download.moc"
