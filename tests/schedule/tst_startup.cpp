#include "platform/Cp1251.h"
#include "data/module/DataModule.h"
#include "tests/support/EngineRows.h"
#include "schedule/MainWindow.h"
#include "tests/support/NamedChild.h"
#include "tests/support/ScriptedPlatform.h"
#include "signin/dialog/SignInDialog.h"
#include "schedule/StartUp.h"
#include "tests/support/TestInstallation.h"

#include <QApplication>
#include <QLineEdit>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

using namespace zeb;

namespace {

// Drives the sign-in dialog the main window's creation shows: what it saw of the program, then a click.
struct SignInScript
{
    QString login;
    QString password;
    bool cancel = false;
    bool mainWindowHidden = false;

    int operator()(QDialog& shown)
    {
        auto& dialog = static_cast<SignInDialog&>(shown);
        for (QWidget* window : QApplication::topLevelWidgets())
            if (qobject_cast<MainWindow*>(window))
                mainWindowHidden = !window->isVisible();
        dialog.setModal(true);
        dialog.show();
        if (cancel) {
            QTest::mouseClick(child<QToolButton>(dialog, "SpeedButton1"), Qt::LeftButton);
        } else {
            child<QLineEdit>(dialog, "Login_Edit")->setText(login);
            child<QLineEdit>(dialog, "Password_Edit")->setText(password);
            QTest::mouseClick(child<QToolButton>(dialog, "SpeedButton2"), Qt::LeftButton);
        }
        return dialog.result();
    }
};

QVariantList column(const Dataset& dataset, const QString& name)
{
    QVariantList values;
    const int index = dataset.fieldIndex(name);
    for (int row = 0; row < dataset.recordCount(); ++row)
        values.append(dataset.valueAt(row, index));
    return values;
}

} // namespace

class TestStartUp : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cancelledSignInShowsNoMainWindow();
    void signInShowsTheMainWindowMaximised_data() { addEngineRows(); }
    void signInShowsTheMainWindowMaximised();
    void computerNameIsRecorded_data();
    void computerNameIsRecorded();
    void applicationFormatsTheRussianWay();
};

void TestStartUp::cancelledSignInShowsNoMainWindow()
{
    ScriptedPlatform platform;
    QTemporaryDir home;
    auto script = std::make_shared<SignInScript>();
    script->cancel = true;
    platform.queueModal([script](QDialog& dialog) { return (*script)(dialog); });

    StartUp startUp(home.path());

    QCOMPARE(platform.modalRuns(), QStringList{QStringLiteral("zeb::SignInDialog")});
    QVERIFY(script->mainWindowHidden);
    // The cancel button asked first, then the main window's creation once more.
    QCOMPARE(platform.terminationRequests(), 2);
    QVERIFY(!startUp.showMainWindow());
    QVERIFY(!startUp.mainWindow().isVisible());
    QCOMPARE(startUp.run(), 0);
    QVERIFY(!startUp.mainWindow().applyLineDefaults());
    QCOMPARE(startUp.dataModule().sessionLogin(), QString());
    QVERIFY(!startUp.dataModule().connection.isOpen());
    QCOMPARE(platform.boxes().size(), 0);
}

void TestStartUp::signInShowsTheMainWindowMaximised()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine, true));
    auto script = std::make_shared<SignInScript>();
    script->login = QStringLiteral("kadry ");
    script->password = QStringLiteral("kadry123");
    platform.queueModal([script](QDialog& dialog) { return (*script)(dialog); });

    StartUp startUp(installation->directory());
    MainWindow& form = startUp.mainWindow();

    QCOMPARE(platform.errors(), QStringList());
    QCOMPARE(platform.terminationRequests(), 0);
    QVERIFY(script->mainWindowHidden);
    QCOMPARE(startUp.dataModule().sessionLogin(), QStringLiteral("kadry "));
    QVERIFY(form.applyLineDefaults());
    QCOMPARE(form.computerNameText(), QStringLiteral("WS-TEST"));
    QCOMPARE(form.sessionIp(), QStringLiteral("192.168.10.25"));

    QVERIFY(startUp.showMainWindow());
    QVERIFY(form.isVisible());
    QVERIFY(form.windowState() & Qt::WindowMaximized);
    QCOMPARE(form.windowTitle(), QStringLiteral("ZEB 7 Штатное расписание"));

    // Each list is in the order its own sort gives, which the statements alone do not give.
    DataModule& dm = startUp.dataModule();
    const QList<std::pair<Dataset*, QString>> sorts{{&dm.divisions, QStringLiteral("otdel_1")},
                                                    {&dm.faculties, QStringLiteral("p23-2")},
                                                    {&dm.departments, QStringLiteral("f1")},
                                                    {&dm.posts, QStringLiteral("post")},
                                                    {&dm.subLevels, QStringLiteral("otdel_1")}};
    for (const auto& [dataset, sortColumn] : sorts) {
        QVERIFY2(dataset->isActive(), qPrintable(dataset->name()));
        Dataset twin(QStringLiteral("twin"), &dm.connection);
        twin.setSql(dataset->sql());
        twin.open();
        const QVariantList unsorted = column(twin, sortColumn);
        twin.sort(sortColumn);
        QCOMPARE(column(*dataset, sortColumn), column(twin, sortColumn));
        if (dataset == &dm.departments || dataset == &dm.posts)
            QVERIFY2(unsorted != column(twin, sortColumn), qPrintable(dataset->name()));
    }
}

void TestStartUp::computerNameIsRecorded_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("bytes");

    const auto padded = [](QByteArray bytes) { return bytes + QByteArray(101 - bytes.size(), '\0'); };
    QTest::newRow("15 characters") << QStringLiteral("KADRY-WS-000015") << padded("KADRY-WS-000015");
    QTest::newRow("150 characters cut to 100") << QString(150, u'W') << padded(QByteArray(100, 'W'));
    QTest::newRow("exactly 100") << QString(100, u'x') << padded(QByteArray(100, 'x'));
    QTest::newRow("cyrillic in Windows-1251")
        << QStringLiteral("ОТДЕЛ-КАДРОВ") << padded(cp1251::encode(QStringLiteral("ОТДЕЛ-КАДРОВ")));
    QTest::newRow("none") << QString() << QByteArray(101, '\0');
}

void TestStartUp::computerNameIsRecorded()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, bytes);

    ScriptedPlatform platform;
    platform.setComputerName(name);
    QTemporaryDir home;
    auto script = std::make_shared<SignInScript>();
    script->cancel = true;
    platform.queueModal([script](QDialog& dialog) { return (*script)(dialog); });

    StartUp startUp(home.path());

    const auto& buffer = startUp.mainWindow().computerName();
    QCOMPARE(QByteArray(buffer.data(), qsizetype(buffer.size())), bytes);
    QCOMPARE(startUp.mainWindow().computerNameText(), cp1251::decode(bytes.left(bytes.indexOf('\0'))));
}

void TestStartUp::applicationFormatsTheRussianWay()
{
    prepareApplication();
    QCOMPARE(QApplication::applicationName(), QStringLiteral("ZEB 7 Штатное расписание"));
    QCOMPARE(QLocale().toString(1234.5, 'f', 1), QStringLiteral("1\u00A0234,5"));
    QCOMPARE(QLocale().toString(QDate(2024, 3, 5), QLocale::ShortFormat), QStringLiteral("05.03.2024"));
    QCOMPARE(QLocale().toDouble(QStringLiteral("2,5")), 2.5);
}

QTEST_MAIN(TestStartUp)
#include "tst_startup.moc"
