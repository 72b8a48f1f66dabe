#include "signin/update/DownloadFile.h"
#include "platform/Error.h"
#include "tests/signin/update/LocalHttpsFront.h"
#include "tests/support/ScriptedPlatform.h"
#include "seam/LocalHttpServer.h"
#include "seam/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <optional>
#include <sched.h>
#include <sys/mount.h>
#include <unistd.h>

using namespace zeb;

Q_DECLARE_METATYPE(LocalHttpServer::Answer)

namespace {

// More than the test builds, less than some of the answers.
constexpr qint64 allowed = 80000;

// A disk of 64 KB of the test's own on `folder`, in a mount namespace of the test process, so that nothing
// outlives it; false without the rights to mount.
bool mountSmallDisk(const QString& folder)
{
    if (geteuid() != 0)
        return false;
    static const bool ownMounts =
        unshare(CLONE_NEWNS) == 0 && mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    return ownMounts && mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, "size=64k") == 0;
}

} // namespace

class TestDownloadFile : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void answers_data();
    void answers();
    void overHttps_data();
    void overHttps();
    void unwritableTargetRaisesIoError();
    void fullDiskIsNamedAndNothingStays();
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
    // A failed download leaves no file: neither an empty one nor the earlier attempt's.
    const QByteArray none("<missing>");
    QTest::newRow("404 page") << httpAnswer(404, "<html>Not Found</html>") << false << none;
    QTest::newRow("500 page") << httpAnswer(500, "<html>Internal Server Error</html>") << false << none;
    // Redirections without a Location to follow; 300 reaches the program with its body and no error.
    QTest::newRow("302 with a body") << httpAnswer(302, "<html>Moved to the new server</html>") << false
                                     << none;
    QTest::newRow("301 with a body") << httpAnswer(301, program) << false << none;
    QTest::newRow("300 with a body") << httpAnswer(300, program) << false << none;
    QTest::newRow("empty answer") << httpAnswer(200, QByteArray()) << false << none;
    LocalHttpServer::Answer cut = httpAnswer(200, program.left(30000));
    cut.contentLength = program.size();
    QTest::newRow("connection cut") << cut << false << none;
    QTest::newRow("longer than allowed")
        << httpAnswer(200, program + QByteArray(allowed, 'x')) << false << none;
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

    QCOMPARE(downloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target, allowed),
             succeeds);
    QCOMPARE(fileContents(target), saved);
    QCOMPARE(QDir(home.path()).entryList(QDir::Files | QDir::Hidden),
             succeeds ? QStringList{QStringLiteral("ZEB 7.exe")} : QStringList());
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

    QCOMPARE(downloadFile(front.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target, 1 << 20),
             succeeds);
    QCOMPARE(fileContents(target), succeeds ? served.body : QByteArray("<missing>"));
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
        IoError, downloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.t"), target, 100));
    QVERIFY(platform.downloads().isEmpty());
}

void TestDownloadFile::fullDiskIsNamedAndNothingStays()
{
    QTemporaryDir home;
    const QString disk = QDir(home.path()).filePath(QStringLiteral("tempZEB"));
    QVERIFY(QDir().mkdir(disk));
    if (!mountSmallDisk(disk))
        QSKIP("A small disk of the test's own needs the rights to mount one.");
    LocalHttpServer server;
    LocalHttpServer::Answer program = httpAnswer(200, QByteArray(300 * 1024, '\x90'));
    program.parts = 10;
    server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), program);
    ScriptedPlatform platform;
    const QString target = QDir(disk).filePath(QStringLiteral("ZEB 7.exe"));

    QString message;
    try {
        downloadFile(server.baseAddress() + QStringLiteral("/zebprogs/ZEB 7.exe"), target, 1 << 20);
    } catch (const IoError& error) {
        message = error.message();
    }

    QVERIFY2(
        message.startsWith(QStringLiteral("Не удалось записать файл «%1»: на диске «%2» не хватает места "
                                          "(свободно ")
                               .arg(target, disk)),
        qPrintable(message));
    QVERIFY(message.endsWith(
        QStringLiteral("КБ).\rОсвободите место на этом диске или обратитесь к администратору.")));
    QCOMPARE(QDir(disk).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QCOMPARE(umount2(QFile::encodeName(disk).constData(), MNT_DETACH), 0);
}

QTEST_GUILESS_MAIN(TestDownloadFile)
#include "tst_downloadfile.moc"
