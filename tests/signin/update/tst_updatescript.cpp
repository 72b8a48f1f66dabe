#include "signin/update/PosixUpdateScript.h"
#include "signin/update/WindowsUpdateScript.h"
#include "seam/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;
using namespace std::chrono_literals;

namespace {

const QByteArray oldProgram = "#!/bin/sh\necho old build\n";
// The new build leaves a note of the folder it was started in.
const QByteArray newProgram = "#!/bin/sh\npwd > 'started by the new build'\n";

// A program that runs until its input is closed stands for the running client.
struct RunningProgram
{
    RunningProgram()
    {
        process.start(QStringLiteral("/bin/cat"), {});
        process.waitForStarted();
    }
    ~RunningProgram() { end(); }

    void end()
    {
        process.closeWriteChannel();
        process.waitForFinished();
    }

    QProcess process;
};

// An installation in a folder whose name needs quoting, its old executable and the fetched new one.
struct Installation
{
    explicit Installation(qint64 processId)
    {
        home = QDir(base.path()).filePath(QStringLiteral("Program Files 'ZEB' $HOME \"7\""));
        QDir().mkpath(home + QStringLiteral("/tempZEB"));
        site = {home, path(QStringLiteral("zeb7")), processId};
        QVERIFY(writeFileContents(site.executable, oldProgram));
        QFile::setPermissions(site.executable, QFile::permissions(site.executable) | QFile::ExeOwner);
        script = path(QStringLiteral("ZEB 7.sh"));
    }

    QString path(const QString& name) const { return QDir(home).filePath(name); }

    // Runs the script as the update starts it, but from another folder and attached, to see it end.
    void startScript(QProcess& runner, std::chrono::milliseconds waitLimit)
    {
        QVERIFY(writeFileContents(script, posixUpdateScript(site, script, 20ms, waitLimit)));
        runner.setWorkingDirectory(base.path());
        runner.start(QStringLiteral("/bin/sh"), {script});
        runner.waitForStarted();
    }

    QTemporaryDir base;
    QString home;
    UpdateSite site;
    QString script;
};

} // namespace

class TestUpdateScript : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void windowsScriptText();
    void windowsScriptFile();
    void replacesTheExecutableAfterTheProgramEnded();
    void missingNewExecutableLeavesTheOldOne_data();
    void missingNewExecutableLeavesTheOldOne();
    void givesUpUntouchedWhenTheProgramDoesNotEnd();
};

void TestUpdateScript::windowsScriptText()
{
    QCOMPARE(
        windowsUpdateScriptText(),
        QStringLiteral("@ECHO OFF\rSET ZEB_PROG=ZEB 7\rSET ZEB_HOME=%CD%\rSET ZEB_TEMP=%ZEB_HOME%\\tempZEB\r"
                       ":do_del\rDEL /Q \"%ZEB_HOME%\\%ZEB_PROG%.exe\"\r"
                       "IF EXIST \"%ZEB_HOME%\\%ZEB_PROG%.exe\" GOTO do_del\r"
                       "COPY \"%ZEB_TEMP%\\%ZEB_PROG%.exe\" \"%ZEB_HOME%\\%ZEB_PROG%.exe\"\r"
                       "RD /S /Q \"%ZEB_TEMP%\"\r\"%ZEB_HOME%\\%ZEB_PROG%.exe\""));
}

void TestUpdateScript::windowsScriptFile()
{
    const QByteArray expected = "@ECHO OFF\r\n"
                                "SET ZEB_PROG=ZEB 7\r\n"
                                "SET ZEB_HOME=%CD%\r\n"
                                "SET ZEB_TEMP=%ZEB_HOME%\\tempZEB\r\n"
                                ":do_del\r\n"
                                "DEL /Q \"%ZEB_HOME%\\%ZEB_PROG%.exe\"\r\n"
                                "IF EXIST \"%ZEB_HOME%\\%ZEB_PROG%.exe\" GOTO do_del\r\n"
                                "COPY \"%ZEB_TEMP%\\%ZEB_PROG%.exe\" \"%ZEB_HOME%\\%ZEB_PROG%.exe\"\r\n"
                                "RD /S /Q \"%ZEB_TEMP%\"\r\n"
                                "\"%ZEB_HOME%\\%ZEB_PROG%.exe\"\r\n";
    QCOMPARE(windowsUpdateScriptFile(), expected);
}

void TestUpdateScript::replacesTheExecutableAfterTheProgramEnded()
{
    RunningProgram program;
    Installation installation(program.process.processId());
    QVERIFY(writeFileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe")), newProgram));
    QProcess runner;
    installation.startScript(runner, 10s);

    // Ten polls later the program still runs and nothing has changed.
    QTest::qWait(200);
    QCOMPARE(runner.state(), QProcess::Running);
    QCOMPARE(fileContents(installation.site.executable), oldProgram);

    program.end();
    QVERIFY(runner.waitForFinished(10000));
    QCOMPARE(runner.exitCode(), 0);
    QCOMPARE(fileContents(installation.site.executable), newProgram);
    QVERIFY(QFileInfo(installation.site.executable).isExecutable());
    QVERIFY(!QFileInfo::exists(installation.path(QStringLiteral("tempZEB"))));
    QVERIFY(!QFileInfo::exists(installation.script));
    const QString note = installation.path(QStringLiteral("started by the new build"));
    QTRY_COMPARE_WITH_TIMEOUT(fileContents(note), installation.home.toUtf8() + '\n', 10000);
    QCOMPARE(QDir(installation.home).entryList(QDir::Files | QDir::Hidden),
             (QStringList{QStringLiteral("started by the new build"), QStringLiteral("zeb7")}));
}

void TestUpdateScript::missingNewExecutableLeavesTheOldOne_data()
{
    QTest::addColumn<bool>("emptyFileFetched");
    QTest::newRow("no new executable") << false;
    QTest::newRow("empty new executable") << true;
}

void TestUpdateScript::missingNewExecutableLeavesTheOldOne()
{
    QFETCH(bool, emptyFileFetched);

    RunningProgram program;
    Installation installation(program.process.processId());
    if (emptyFileFetched)
        QVERIFY(writeFileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe")), QByteArray()));
    QProcess runner;
    installation.startScript(runner, 10s);
    program.end();

    QVERIFY(runner.waitForFinished(10000));
    QCOMPARE(runner.exitCode(), 0);
    QCOMPARE(fileContents(installation.site.executable), oldProgram);
    QVERIFY(QFileInfo(installation.site.executable).isExecutable());
    QVERIFY(!QFileInfo::exists(installation.script));
    QCOMPARE(QDir(installation.home).entryList(QDir::Files), QStringList{QStringLiteral("zeb7")});
}

void TestUpdateScript::givesUpUntouchedWhenTheProgramDoesNotEnd()
{
    RunningProgram program;
    Installation installation(program.process.processId());
    QVERIFY(writeFileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe")), newProgram));
    QProcess runner;
    installation.startScript(runner, 100ms);

    QVERIFY(runner.waitForFinished(10000));
    QCOMPARE(runner.exitCode(), 1);
    QCOMPARE(program.process.state(), QProcess::Running);
    QCOMPARE(fileContents(installation.site.executable), oldProgram);
    QCOMPARE(fileContents(installation.path(QStringLiteral("tempZEB/ZEB 7.exe"))), newProgram);
}

QTEST_GUILESS_MAIN(TestUpdateScript)
#include "tst_updatescript.moc"
