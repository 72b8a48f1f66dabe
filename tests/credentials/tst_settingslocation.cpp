#include "credentials/SettingsLocation.h"
#include "platform/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

void writeSettings(const QString& path)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(84, 'x'));
}

} // namespace

class TestSettingsLocation : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void installationFolders_data();
    void installationFolders();
    void programFindsItsSettings_data();
    void programFindsItsSettings();
    void programWithoutSettingsIsToldWhereAndHow();
};

void TestSettingsLocation::installationFolders_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QString>("settingsFile");
    QTest::addColumn<QString>("dataDirectory");

    QTest::newRow("a folder") << QStringLiteral("/srv/zeb") << QStringLiteral("/srv/zeb/Data/ZEB")
                              << QStringLiteral("/srv/zeb/Data");
    QTest::newRow("the workstation's")
        << QStringLiteral("/etc/zeb7") << QStringLiteral("/etc/zeb7/ZEB") << QStringLiteral("/var/lib/zeb7");
    QTest::newRow("the workstation's, written otherwise")
        << QStringLiteral("/etc/./zeb7/") << QStringLiteral("/etc/zeb7/ZEB")
        << QStringLiteral("/var/lib/zeb7");
    QTest::newRow("a folder inside the workstation's")
        << QStringLiteral("/etc/zeb7/old") << QStringLiteral("/etc/zeb7/old/Data/ZEB")
        << QStringLiteral("/etc/zeb7/old/Data");
}

void TestSettingsLocation::installationFolders()
{
    QFETCH(QString, directory);
    QFETCH(QString, settingsFile);
    QFETCH(QString, dataDirectory);

    const SettingsLocation location = SettingsLocation::ofInstallation(directory);
    QCOMPARE(location.settingsFile, settingsFile);
    QCOMPARE(location.dataDirectory, dataDirectory);
}

void TestSettingsLocation::programFindsItsSettings_data()
{
    QTest::addColumn<bool>("besideProgram");
    QTest::addColumn<bool>("atWorkstation");
    QTest::addColumn<bool>("expectBeside");

    QTest::newRow("beside the program only") << true << false << true;
    QTest::newRow("both: the program's folder wins") << true << true << true;
    QTest::newRow("the workstation's only") << false << true << false;
}

void TestSettingsLocation::programFindsItsSettings()
{
    QFETCH(bool, besideProgram);
    QFETCH(bool, atWorkstation);
    QFETCH(bool, expectBeside);

    QTemporaryDir home;
    QTemporaryDir etc;
    const SettingsLocation workstation{etc.filePath(QStringLiteral("ZEB")),
                                       etc.filePath(QStringLiteral("db"))};
    if (besideProgram)
        writeSettings(home.filePath(QStringLiteral("Data/ZEB")));
    if (atWorkstation)
        writeSettings(workstation.settingsFile);

    const SettingsLocation found = SettingsLocation::ofProgram(home.path(), workstation);

    if (expectBeside) {
        QCOMPARE(found.settingsFile, home.filePath(QStringLiteral("Data/ZEB")));
        QCOMPARE(found.dataDirectory, home.filePath(QStringLiteral("Data")));
    } else {
        QCOMPARE(found.settingsFile, workstation.settingsFile);
        QCOMPARE(found.dataDirectory, workstation.dataDirectory);
    }
}

void TestSettingsLocation::programWithoutSettingsIsToldWhereAndHow()
{
    QTemporaryDir home;
    QTemporaryDir etc;
    const SettingsLocation workstation{etc.filePath(QStringLiteral("ZEB")), etc.path()};

    try {
        SettingsLocation::ofProgram(home.path(), workstation);
        QFAIL("no settings anywhere, yet a place was given");
    } catch (const IoError& error) {
        QCOMPARE(error.message(),
                 QStringLiteral("Файл настроек соединения не найден ни рядом с программой («%1»), ни в "
                                "настройках рабочего места («%2»).\rАдминистратор создаёт его командой "
                                "«zeb7-admin init --system» (настройки рабочего места) или «zeb7-admin init "
                                "ПАПКА» (установка в папке программы).")
                     .arg(home.filePath(QStringLiteral("Data/ZEB")), workstation.settingsFile));
    }
}

QTEST_GUILESS_MAIN(TestSettingsLocation)
#include "tst_settingslocation.moc"
