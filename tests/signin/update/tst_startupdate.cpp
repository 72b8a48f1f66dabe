#include "platform/Error.h"
#include "signin/update/PosixUpdateScript.h"
#include "signin/update/SelfUpdate.h"
#include "signin/update/UpdateRefusal.h"
#include "signin/update/UpdateServer.h"
#include "tests/signin/update/LocalHttpsFront.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/seam/LocalHttpServer.h"
#include "tests/support/seam/TestFiles.h"

#include <QCryptographicHash>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>
#include <optional>

using namespace zeb;

namespace {

const QByteArray oldProgram = "#!/bin/sh\necho old build\n";
const QByteArray firstDownload = "ZEB 7 build 2024-03-15";
const QByteArray newProgram = QByteArray("\x7f"
                                         "ELF new build ") +
                              QByteArray(20000, '\x90');
const QString newProgramDigest =
    QString::fromLatin1(QCryptographicHash::hash(newProgram, QCryptographicHash::Sha256).toHex());
constexpr qint64 publishedBuild = 8;

// Takes the write permissions off a folder for as long as it lives.
class ReadOnlyFolder
{
public:
    explicit ReadOnlyFolder(QString path) : m_path(std::move(path)), m_permissions(QFile::permissions(m_path))
    {
        QFile::setPermissions(m_path, m_permissions & ~(QFileDevice::WriteOwner | QFileDevice::WriteUser |
                                                        QFileDevice::WriteGroup | QFileDevice::WriteOther));
    }
    ~ReadOnlyFolder() { QFile::setPermissions(m_path, m_permissions); }
    ReadOnlyFolder(const ReadOnlyFolder&) = delete;
    ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

private:
    QString m_path;
    QFileDevice::Permissions m_permissions;
};

// An installation in a folder whose name needs quoting, with its old executable, the update server's
// address and the sign-in dialog's notice label and exit timer.
struct Installation
{
    Installation()
    {
        home = QDir(base.path()).filePath(QStringLiteral("Program Files 'ZEB' 7"));
        QDir().mkpath(home + QStringLiteral("/Data"));
        site = {home, path(QStringLiteral("zeb7")), 4242};
        QVERIFY(writeFileContents(site.executable, oldProgram));
        QVERIFY(writeFileContents(UpdateServer::configPath(home), server.baseAddress().toUtf8() + "/\n"));
        notice = new QLabel(QStringLiteral("V.1"), &dialog);
        exitTimer.setInterval(updateExitTimerInterval);
    }

    QString path(const QString& name) const { return QDir(home).filePath(name); }
    bool startUpdate(const QString& digest = newProgramDigest)
    {
        return startSelfUpdate(*notice, exitTimer, digest, publishedBuild, site);
    }
    // From now on the update server is reached over HTTPS only.
    void useHttps()
    {
        httpsFront = std::make_unique<LocalHttpsFront>(server);
        QVERIFY(writeFileContents(UpdateServer::configPath(home), httpsFront->baseAddress().toUtf8() + "\n"));
    }

    QTemporaryDir base;
    QString home;
    UpdateSite site;
    LocalHttpServer server;
    std::unique_ptr<LocalHttpsFront> httpsFront;
    ScriptedPlatform platform;
    QDialog dialog;
    QLabel* notice = nullptr;
    QTimer exitTimer;
};

} // namespace

Q_DECLARE_METATYPE(LocalHttpServer::Answer)

class TestStartUpdate : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void downloadsWriteAndStartTheScript_data();
    void downloadsWriteAndStartTheScript();
    void failedDownloadShowsTheNoticeAndEnds_data();
    void failedDownloadShowsTheNoticeAndEnds();
    void unpublishedBuildIsNotInstalled_data();
    void unpublishedBuildIsNotInstalled();
    void noServerConfiguredShowsTheNotice();
    void installationNotTheUsersIsNotReplaced_data();
    void installationNotTheUsersIsNotReplaced();
    void unwritableFolderRaisesIoError();
    void exitTimerTick_data();
    void exitTimerTick();
    void leftoverScriptsAreRemoved();
};

void TestStartUpdate::downloadsWriteAndStartTheScript_data()
{
    QTest::addColumn<bool>("tempFolderLeftOver");
    QTest::addColumn<bool>("https");
    QTest::addColumn<QString>("digest");
    QTest::newRow("first update") << false << false << newProgramDigest;
    QTest::newRow("tempZEB left by a failed update") << true << false << newProgramDigest;
    QTest::newRow("over HTTPS") << false << true << newProgramDigest;
    QTest::newRow("digest in capitals") << false << false << newProgramDigest.toUpper();
}

void TestStartUpdate::downloadsWriteAndStartTheScript()
{
    QFETCH(bool, tempFolderLeftOver);
    QFETCH(bool, https);
    QFETCH(QString, digest);

    Installation installation;
    TrustedTestCertificate trust;
    if (https)
        installation.useHttps();
    if (tempFolderLeftOver) {
        QVERIFY(QDir(installation.home).mkdir(QStringLiteral("tempZEB")));
        QVERIFY(writeFileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe")), QByteArray()));
    }
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, firstDownload));
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), httpAnswer(200, newProgram));

    QVERIFY(installation.startUpdate(digest));

    QCOMPARE(installation.notice->text(), QStringLiteral("Идёт обновление программы, ПОДОЖДИТЕ..."));
    QCOMPARE(installation.server.requestedPaths(),
             (QStringList{QStringLiteral("/zebprogs/ZEB 7.t"), QStringLiteral("/zebprogs/ZEB 7.exe")}));
    QCOMPARE(fileContents(installation.path(QStringLiteral("ZEB 7.t"))), firstDownload);
    QCOMPARE(fileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe"))), newProgram);
    QCOMPARE(fileContents(installation.site.executable), oldProgram);

    const QString script = installation.path(QStringLiteral("ZEB 7.sh"));
    QCOMPARE(fileContents(script), posixUpdateScript(installation.site, script));
    QCOMPARE(installation.platform.detachedStarts().size(), 1);
    const DetachedStart start = installation.platform.detachedStarts().first();
    QCOMPARE(start.program, QStringLiteral("/bin/sh"));
    QCOMPARE(start.arguments, QStringList{script});
    QCOMPARE(start.workingDirectory, installation.home);

    QVERIFY(installation.exitTimer.isActive());
    QCOMPARE(installation.exitTimer.interval(), 2000);
    QVERIFY(installation.platform.boxes().isEmpty());
    QCOMPARE(installation.platform.terminationRequests(), 0);
}

void TestStartUpdate::failedDownloadShowsTheNoticeAndEnds_data()
{
    QTest::addColumn<LocalHttpServer::Answer>("first");
    QTest::addColumn<LocalHttpServer::Answer>("program");
    QTest::addColumn<int>("requests");

    LocalHttpServer::Answer cut = httpAnswer(200, newProgram.left(5000));
    cut.contentLength = newProgram.size();
    const LocalHttpServer::Answer notFound = httpAnswer(404, "<html><h1>404 Not Found</h1></html>");
    const LocalHttpServer::Answer good = httpAnswer(200, firstDownload);

    QTest::newRow("ZEB 7.exe missing") << good << notFound << 2;
    QTest::newRow("ZEB 7.exe server error")
        << good << httpAnswer(500, "<html>Internal Server Error</html>") << 2;
    // The right build, but not a success answer.
    QTest::newRow("ZEB 7.exe in a redirection without Location") << good << httpAnswer(300, newProgram) << 2;
    QTest::newRow("ZEB 7.exe cut") << good << cut << 2;
    QTest::newRow("ZEB 7.exe empty") << good << httpAnswer(200, QByteArray()) << 2;
    QTest::newRow("ZEB 7.t missing") << notFound << httpAnswer(200, newProgram) << 1;
    // A server that would fill the disk: the body is not taken.
    LocalHttpServer::Answer endless = httpAnswer(200, newProgram);
    endless.contentLength = maxProgramBytes + 1;
    endless.stall = true;
    QTest::newRow("ZEB 7.exe longer than a build") << good << endless << 2;
    LocalHttpServer::Answer longFirst = httpAnswer(200, QByteArray(maxFirstDownloadBytes + 1, 'x'));
    QTest::newRow("ZEB 7.t longer than allowed") << longFirst << httpAnswer(200, newProgram) << 1;
}

void TestStartUpdate::failedDownloadShowsTheNoticeAndEnds()
{
    QFETCH(LocalHttpServer::Answer, first);
    QFETCH(LocalHttpServer::Answer, program);
    QFETCH(int, requests);

    Installation installation;
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), first);
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), program);
    installation.platform.queueAnswer(MessageAnswer::Ok);

    installation.startUpdate();

    QCOMPARE(installation.server.requestedPaths().size(), requests);
    QCOMPARE(installation.platform.boxes().size(), 1);
    const ShownBox box = installation.platform.boxes().first();
    QCOMPARE(box.text, QStringLiteral("Сервер обновлений не доступен.\rОбратитесь к администратору."));
    QCOMPARE(box.caption, QStringLiteral("Уведомление"));
    QCOMPARE(box.buttons, MessageButtons::Ok);
    QCOMPARE(box.icon, MessageIcon::Information);
    QCOMPARE(box.owner, &installation.dialog);
    QCOMPARE(installation.platform.terminationRequests(), 1);

    QCOMPARE(fileContents(installation.site.executable), oldProgram);
    const QString fetched = installation.path(QStringLiteral("tempZEB/ZEB 7.exe"));
    QVERIFY(!QFile::exists(fetched) || QFileInfo(fetched).size() == 0);
    // Nothing of the failed update stays: home holds what it held, and "ZEB 7.t" only once it came whole.
    QStringList home{QStringLiteral("Data"), QStringLiteral("zeb7")};
    if (requests == 2)
        home.insert(1, QStringLiteral("ZEB 7.t"));
    QCOMPARE(QDir(installation.home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), home);
    QVERIFY(!QFile::exists(installation.path(QStringLiteral("ZEB 7.sh"))));
    QVERIFY(installation.platform.detachedStarts().isEmpty());
    QVERIFY(!installation.exitTimer.isActive());
}

void TestStartUpdate::unpublishedBuildIsNotInstalled_data()
{
    QTest::addColumn<QString>("digest");
    QTest::addColumn<QString>("message");

    const QString mismatch = QStringLiteral(
        "Загруженная версия программы не совпадает с опубликованной и не будет установлена.\r"
        "Обратитесь к администратору: её нужно опубликовать заново командой zeb7-admin publish.");
    const QString otherBuild = QString::fromLatin1(
        QCryptographicHash::hash(newProgram + "tampered", QCryptographicHash::Sha256).toHex());
    QTest::newRow("tampered build") << otherBuild << mismatch;
    QTest::newRow("no digest published")
        << QString()
        << QStringLiteral(
               "Сервер не сообщил контрольную сумму новой версии программы, поэтому она не будет "
               "установлена.\rОбратитесь к администратору: новую версию нужно опубликовать командой "
               "zeb7-admin publish.");
}

void TestStartUpdate::unpublishedBuildIsNotInstalled()
{
    QFETCH(QString, digest);
    QFETCH(QString, message);

    Installation installation;
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, firstDownload));
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), httpAnswer(200, newProgram));
    installation.platform.queueAnswer(MessageAnswer::Ok);

    installation.startUpdate(digest);

    QCOMPARE(installation.server.requestedPaths().size(), 2);
    QCOMPARE(installation.platform.boxes().size(), 1);
    const ShownBox box = installation.platform.boxes().first();
    QCOMPARE(box.text, message);
    QCOMPARE(box.caption, QStringLiteral("Уведомление"));
    QCOMPARE(box.buttons, MessageButtons::Ok);
    QCOMPARE(box.icon, MessageIcon::Warning);
    QCOMPARE(box.owner, &installation.dialog);
    QCOMPARE(installation.platform.terminationRequests(), 1);

    // Home as before, apart from the first download; the fetched build is gone with its folder.
    QCOMPARE(fileContents(installation.site.executable), oldProgram);
    QCOMPARE(QDir(installation.home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             (QStringList{QStringLiteral("Data"), QStringLiteral("ZEB 7.t"), QStringLiteral("zeb7")}));
    QVERIFY(installation.platform.detachedStarts().isEmpty());
    QVERIFY(!installation.exitTimer.isActive());
}

void TestStartUpdate::noServerConfiguredShowsTheNotice()
{
    Installation installation;
    QVERIFY(QFile::remove(UpdateServer::configPath(installation.home)));
    installation.platform.queueAnswer(MessageAnswer::Ok);

    installation.startUpdate();

    QVERIFY(installation.server.requestedPaths().isEmpty());
    QCOMPARE(installation.platform.boxes().size(), 1);
    QCOMPARE(installation.platform.terminationRequests(), 1);
    QVERIFY(installation.platform.detachedStarts().isEmpty());
}

void TestStartUpdate::installationNotTheUsersIsNotReplaced_data()
{
    QTest::addColumn<bool>("readOnlyFolder");
    QTest::addColumn<bool>("packageLocation");
    QTest::addColumn<QString>("why");

    QTest::newRow("read-only program folder")
        << true << false
        << QStringLiteral(
               "Папка программы «%1» закрыта для записи, поэтому программа не может обновиться сама: "
               "её обновляет администратор, сообщите ему о новой сборке.");
    QTest::newRow("started from the package's location")
        << false << true
        << QStringLiteral("Программа установлена пакетом, и обновляет её администратор: сообщите ему о новой "
                          "сборке.");
}

// Nothing is asked of the update server and nothing written: the user reads which build is published and
// who installs it, and the program does not end.
void TestStartUpdate::installationNotTheUsersIsNotReplaced()
{
    QFETCH(bool, readOnlyFolder);
    QFETCH(bool, packageLocation);
    QFETCH(QString, why);

    Installation installation;
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, firstDownload));
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), httpAnswer(200, newProgram));
    if (packageLocation)
        installation.site.executable = QDir(packageProgramFolder()).filePath(QStringLiteral("zeb7"));
    const QStringList before =
        QDir(installation.home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    std::optional<ReadOnlyFolder> readOnly;
    if (readOnlyFolder)
        readOnly.emplace(installation.home);
    installation.platform.queueAnswer(MessageAnswer::Ok);

    QVERIFY(!installation.startUpdate());

    QVERIFY(installation.server.requestedPaths().isEmpty());
    QCOMPARE(installation.platform.boxes().size(), 1);
    const ShownBox box = installation.platform.boxes().first();
    QCOMPARE(box.text, QStringLiteral("Опубликована сборка 8 программы.\r") +
                           why.replace(QStringLiteral("%1"), QDir::toNativeSeparators(installation.home)) +
                           QStringLiteral("\rРабота продолжается в текущей версии."));
    QCOMPARE(box.caption, QStringLiteral("Уведомление"));
    QCOMPARE(box.buttons, MessageButtons::Ok);
    QCOMPARE(box.icon, MessageIcon::Information);
    QCOMPARE(box.owner, &installation.dialog);
    QCOMPARE(installation.platform.terminationRequests(), 0);
    QVERIFY(!installation.exitTimer.isActive());
    QVERIFY(installation.platform.detachedStarts().isEmpty());
    QCOMPARE(installation.notice->text(), QStringLiteral("V.1"));
    QCOMPARE(QDir(installation.home).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
             before);
    QCOMPARE(fileContents(installation.path(QStringLiteral("zeb7"))), oldProgram);
}

void TestStartUpdate::unwritableFolderRaisesIoError()
{
    Installation installation;
    // A file in the way of the folder "tempZEB": the new executable cannot be saved.
    QVERIFY(writeFileContents(installation.path(QStringLiteral("tempZEB")), "not a folder"));
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, firstDownload));
    installation.server.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), httpAnswer(200, newProgram));

    QVERIFY_THROWS_EXCEPTION(IoError, installation.startUpdate());
    QVERIFY(installation.platform.boxes().isEmpty());
    QCOMPARE(installation.platform.terminationRequests(), 0);
    QVERIFY(!installation.exitTimer.isActive());
}

void TestStartUpdate::exitTimerTick_data()
{
    QTest::addColumn<int>("interval");
    QTest::addColumn<int>("next");
    QTest::newRow("first tick") << 2000 << 100;
    QTest::newRow("later tick") << 100 << 100;
}

void TestStartUpdate::exitTimerTick()
{
    QFETCH(int, interval);
    QFETCH(int, next);

    ScriptedPlatform platform;
    QTimer timer;
    timer.setInterval(interval);
    timer.start();
    exitWhenUpdateStarted(timer);
    QCOMPARE(timer.interval(), next);
    QVERIFY(timer.isActive());
    QCOMPARE(platform.terminationRequests(), 1);
}

void TestStartUpdate::leftoverScriptsAreRemoved()
{
    QTemporaryDir home;
    const QDir folder(home.path());
    for (const char* name : {"ZEB 7.bat", "ZEB 7.sh", "ZEB 7.t"})
        QVERIFY(writeFileContents(folder.filePath(QString::fromLatin1(name)), "x"));

    removeLeftoverScript(home.path());
    QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("ZEB 7.t")});

    removeLeftoverScript(home.path());
    QCOMPARE(folder.entryList(QDir::Files), QStringList{QStringLiteral("ZEB 7.t")});
}

QTEST_MAIN(TestStartUpdate)
#include "tst_startupdate.moc"
