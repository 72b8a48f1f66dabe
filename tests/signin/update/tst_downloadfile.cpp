#include "DownloadFile.h"
#include "Error.h"
#include "LocalHttpsFront.h"
#include "ScriptedPlatform.h"
#include "seam/LocalHttpServer.h"
#include "seam/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>

using namespace zeb;

Q_DECLARE_METATYPE(LocalHttpServer::Answer)

class TestDownloadFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void overHttps_data();
    void overHttps();
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
    QTest::newRow("whole file") << httpAnswer(200, program) << true << program;
    QTest::newRow("404 page") << httpAnswer(404, "<html>Not Found</html>") << false << QByteArray();
    QTest::newRow("500 page") << httpAnswer(500, "<html>Internal Server Error</html>") << false
                              << QByteArray();
    // Redirections without a Location to follow; 300 reaches the program with its body and no error.
    QTest::newRow("302 with a body") << httpAnswer(302, "<html>Moved to the new server</html>") << false
                                     << QByteArray();
    QTest::newRow("301 with a body") << httpAnswer(301, program) << false << QByteArray();
    QTest::newRow("300 with a body") << httpAnswer(300, program) << false << QByteArray();
    QTest::newRow("empty answer") << httpAnswer(200, QByteArray()) << false << QByteArray();
    LocalHttpServer::Answer cut = httpAnswer(200, program.left(30000));
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
    QVERIFY(writeFileContents(target, "the file of an earlier attempt"));
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), served);
    ScriptedPlatform platform;

    QCOMPARE(DownloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target), succeeds);
    QCOMPARE(fileContents(target), saved);
    QVERIFY(!QFile::exists(target + QStringLiteral(".part")));
    QCOMPARE(platform.downloads().size(), 1);
}

void TestDownloadFile::overHttps_data()
{
    QTest::addColumn<bool>("trusted");
    QTest::addColumn<LocalHttpServer::Answer>("served");
    QTest::addColumn<bool>("succeeds");

    const QByteArray program = QByteArray("\x7f"
                                          "ELF new build ") +
                               QByteArray(70000, '\x90');
    QTest::newRow("trusted certificate") << true << httpAnswer(200, program) << true;
    QTest::newRow("404 page") << true << httpAnswer(404, "<html>Not Found</html>") << false;
    QTest::newRow("certificate not trusted") << false << httpAnswer(200, program) << false;
}

void TestDownloadFile::overHttps()
{
    QFETCH(bool, trusted);
    QFETCH(LocalHttpServer::Answer, served);
    QFETCH(bool, succeeds);

    QTemporaryDir home;
    const QString target = QDir(home.path()).filePath(QStringLiteral("ZEB 7.exe"));
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), served);
    LocalHttpsFront front(server);
    QVERIFY(front.isListening());
    std::optional<TrustedTestCertificate> trust;
    if (trusted)
        trust.emplace();
    ScriptedPlatform platform;

    QCOMPARE(DownloadFile(front.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target), succeeds);
    QCOMPARE(fileContents(target), succeeds ? served.body : QByteArray());
    // An untrusted server never learns what was asked of it.
    QCOMPARE(server.requestedPaths().size(), trusted ? 1 : 0);
}

void TestDownloadFile::unwritableTargetRaisesIoError()
{
    QTemporaryDir home;
    LocalHttpServer server;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, "data"));
    ScriptedPlatform platform;

    const QString target = QDir(home.path()).filePath(QStringLiteral("no such folder/ZEB 7.t"));
    QVERIFY_THROWS_EXCEPTION(
        IoError, DownloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.t"), target));
    QVERIFY(platform.downloads().isEmpty());
}

QTEST_GUILESS_MAIN(TestDownloadFile)
#include "tst_downloadfile.moc"
