#include "DownloadFile.h"
#include "Error.h"
#include "ScriptedPlatform.h"
#include "seam/LocalHttpServer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(LocalHttpServer::Answer)

namespace {

LocalHttpServer::Answer answer(int status, const QByteArray& body)
{
    LocalHttpServer::Answer result;
    result.status = status;
    result.body = body;
    return result;
}

QByteArray contents(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(bytes), qint64(bytes.size()));
}

} // namespace

class TestDownloadFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void unwritableTargetRaisesIoError();
};

void TestDownloadFile::answers_data()
{
    QTest::addColumn<LocalHttpServer::Answer>("served");
    QTest::addColumn<bool>("succeeds");
    QTest::addColumn<QByteArray>("saved");

    const QByteArray program = QByteArray("\x7f"
                                          "ELF new build ") +
                               QByteArray(70000, '\x90');
    QTest::newRow("whole file") << answer(200, program) << true << program;
    QTest::newRow("404 page") << answer(404, "<html>Not Found</html>") << false << QByteArray();
    QTest::newRow("500 page") << answer(500, "<html>Internal Server Error</html>") << false << QByteArray();
    QTest::newRow("empty answer") << answer(200, QByteArray()) << false << QByteArray();
    LocalHttpServer::Answer cut = answer(200, program.left(30000));
    cut.contentLength = program.size();
    QTest::newRow("connection cut") << cut << false << QByteArray();
}

void TestDownloadFile::answers()
{
    QFETCH(LocalHttpServer::Answer, served);
    QFETCH(bool, succeeds);
    QFETCH(QByteArray, saved);

    QTemporaryDir home;
    const QString target = QDir(home.path()).filePath(QStringLiteral("ZEB 7.exe"));
    writeFile(target, "the file of an earlier attempt");
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), served);
    ScriptedPlatform platform;

    QCOMPARE(DownloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target), succeeds);
    QCOMPARE(contents(target), saved);
    QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    QCOMPARE(platform.downloads().size(), 1);
}

void TestDownloadFile::unwritableTargetRaisesIoError()
{
    QTemporaryDir home;
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), answer(200, "data"));
    ScriptedPlatform platform;

    const QString target = QDir(home.path()).filePath(QStringLiteral("no such folder/ZEB 7.t"));
    QVERIFY_THROWS_EXCEPTION(
        IoError, DownloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.t"), target));
    QVERIFY(platform.downloads().isEmpty());
}

QTEST_GUILESS_MAIN(TestDownloadFile)
#include "tst_downloadfile.moc"
