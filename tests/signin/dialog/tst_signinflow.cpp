#include "credentials/SettingsFile.h"
#include "data/ConnectionParams.h"
#include "data/DatabaseError.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "server/UserAdmin.h"
#include "signin/ConnectionString.h"
#include "signin/update/UpdateServer.h"
#include "tests/signin/dialog/SignInRig.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/seam/LocalHttpServer.h"
#include "tests/support/seam/TestFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace zeb;

namespace {

const QString unknownUser = QStringLiteral("Неверное имя пользователя или пароль.");
const QString changeMessage = QStringLiteral(
    "Вы должны поменять пароль\rЭто делается для безопастности и сохранения данных от злоумышлеников");
const QString unreachable =
    QStringLiteral("Не удаётся подключиться к базе данных.\rОбратитесь к администратору.");

QString table(EngineKind engine, const QString& name)
{
    return engine == EngineKind::Postgres ? QStringLiteral("dbo.") + name : name;
}

// Something that lives exactly as long as the engine's session: PostgreSQL's server process, the embedded
// engine's connection object (on the sign-in account it runs nothing but GET_USER).
QVariant sessionMark(Connection& connection)
{
    Engine& engine = connection.engine();
    if (engine.kind() == EngineKind::Postgres)
        return firstValue(engine, QStringLiteral("SELECT pg_backend_pid()"));
    return QVariant::fromValue(quintptr(&engine));
}

// How the server, or the embedded engine's statement rewriter, reads a date literal now.
QString dateOrder(Connection& connection)
{
    if (connection.engineKind() == EngineKind::Postgres)
        return firstValue(connection.engine(), QStringLiteral("SHOW DateStyle")).toString();
    // Only a literal compared with a date column is read as a date: find a line again by its entry date.
    const std::unique_ptr<ResultCursor> dated =
        connection.query(QStringLiteral("select top(1) e_d_p from vakansii where e_d_p is not null"));
    if (!dated->next())
        return QStringLiteral("no dated line");
    const QDate entered = QDate::fromString(dated->toText(0).left(10), Qt::ISODate);
    while (dated->next()) {
    }
    const std::unique_ptr<ResultCursor> found =
        connection.query(QStringLiteral("select count(*) AS n from vakansii where e_d_p = '%1'")
                             .arg(entered.toString(u"dd.MM.yyyy")));
    found->next();
    return found->toText(0) != QStringLiteral("0") ? QStringLiteral("dmy") : QStringLiteral("not dmy");
}

QString expectedDateOrder(EngineKind engine)
{
    return engine == EngineKind::Postgres ? QStringLiteral("ISO, DMY") : QStringLiteral("dmy");
}

// What the engine says when a connection with these settings will not open, without the sign-in account's
// user id; empty when it opens.
QString openingFailure(const FirstConnectInfo& settings, const QString& dataDirectory)
{
    Connection connection;
    connection.setDataDirectory(dataDirectory);
    connection.setConnectionString(buildConnectionString(settings));
    try {
        connection.open();
    } catch (const DatabaseError& error) {
        return removeAll(error.message(), settings.userId);
    }
    return QString();
}

// Settings that lead nowhere: an embedded database file that is not there, a server database that does not
// exist.
FirstConnectInfo movedDatabase(FirstConnectInfo settings)
{
    if (settings.dataSource.startsWith(QLatin1String("sqlite:")))
        settings.dataSource = QStringLiteral("sqlite:moved.db");
    else
        settings.initialCatalog = QStringLiteral("zeb_moved_away");
    return settings;
}

} // namespace

class TestSignInFlow : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void oneAttempt_data();
    void oneAttempt();
    void workstationSettingsServeWhenNoneBesideTheProgram_data() { addEngineRows(); }
    void workstationSettingsServeWhenNoneBesideTheProgram();
    void serverMessageKeepsTheConnectionForTheRetry_data() { addEngineRows(); }
    void serverMessageKeepsTheConnectionForTheRetry();
    void repeatedFailuresLockTheAccount_data() { addEngineRows(); }
    void repeatedFailuresLockTheAccount();
    void changeIsProposedOnlyAtTheFirstAttempt_data() { addEngineRows(); }
    void changeIsProposedOnlyAtTheFirstAttempt();
    void newPasswordChecks_data();
    void newPasswordChecks();
    void demandedChangeSignsInWithTheNewPassword_data() { addEngineRows(); }
    void demandedChangeSignsInWithTheNewPassword();
    void updateWithoutUpdateServerEndsTheProgram_data() { addEngineRows(); }
    void updateWithoutUpdateServerEndsTheProgram();
    void readOnlyProgramFolderSignsInWithoutTheUpdate_data() { addEngineRows(); }
    void readOnlyProgramFolderSignsInWithoutTheUpdate();
    void failedReconnectionClearsTheLabel_data();
    void failedReconnectionClearsTheLabel();
    void unreachableDatabaseIsToldPlainly_data();
    void unreachableDatabaseIsToldPlainly();
    void settingsChangedBetweenAttempts_data();
    void settingsChangedBetweenAttempts();
    void errorsBeforeTheStatementPropagate_data();
    void errorsBeforeTheStatementPropagate();
    void attemptCounterWraps();
};

void TestSignInFlow::oneAttempt_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("computerName");
    QTest::addColumn<bool>("signedIn");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("connectionOpen");
    QTest::addColumn<bool>("areaOpen");
    QTest::addColumn<bool>("moreEnabled");

    const QString pc = QStringLiteral("WS-TEST");
    for (const auto& [engine, name] :
         {std::pair{EngineKind::Sqlite, "sqlite"}, std::pair{EngineKind::Postgres, "pg"}}) {
        const auto row = [name](const char* what) -> QTestData& {
            return QTest::addRow("%s: %s", name, what);
        };
        row("accepted") << engine << QStringLiteral("kadry") << QStringLiteral("kadry123") << pc << true
                        << QString() << true << false << true;
        row("accepted as typed: case and blanks")
            << engine << QStringLiteral("KaDrY  ") << QStringLiteral("kadry123") << pc << true << QString()
            << true << false << true;
        row("accepted from a computer with a quote in its name")
            << engine << QStringLiteral("admin") << QStringLiteral("admin123") << QStringLiteral("Bob's PC")
            << true << QString() << true << false << true;
        row("unknown login") << engine << QStringLiteral("nobody") << QStringLiteral("kadry123") << pc
                             << false << unknownUser << true << false << true;
        row("login with a quote") << engine << QStringLiteral("o'hara") << QStringLiteral("x") << pc << false
                                  << unknownUser << true << false << true;
        row("empty login and password")
            << engine << QString() << QString() << pc << false << unknownUser << true << false << true;
        row("wrong password") << engine << QStringLiteral("kadry") << QStringLiteral("kadry124") << pc
                              << false << unknownUser << true << false << true;
        row("password in another case") << engine << QStringLiteral("kadry") << QStringLiteral("KADRY123")
                                        << pc << false << unknownUser << true << false << true;
        row("locked by the administrator")
            << engine << QStringLiteral("blocked") << QStringLiteral("blocked1") << pc << false
            << QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.") << true << false
            << true;
        row("must change: change demanded")
            << engine << QStringLiteral("novikova") << QStringLiteral("novikova1") << pc << false
            << changeMessage << false << true << false;
        row("expired: change demanded") << engine << QStringLiteral("petrova") << QStringLiteral("petrova1")
                                        << pc << false << changeMessage << false << true << false;
        row("about to expire: change proposed")
            << engine << QStringLiteral("sidorov") << QStringLiteral("sidorov1") << pc << false
            << changeMessage << false << true << true;
    }
}

void TestSignInFlow::oneAttempt()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, computerName);
    QFETCH(bool, signedIn);
    QFETCH(QString, message);
    QFETCH(bool, connectionOpen);
    QFETCH(bool, areaOpen);
    QFETCH(bool, moreEnabled);

    ScriptedPlatform platform;
    platform.setComputerName(computerName);
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    rig->type(login, password);

    rig->flow.signInButtonClicked();

    QCOMPARE(platform.errors(), QStringList());
    QCOMPARE(rig->flow.attemptCount(), quint8(1));
    QCOMPARE(rig->view.message(), message);
    QCOMPARE(rig->connection().isOpen(), connectionOpen);
    QCOMPARE(rig->flow.passwordAreaOpen(), areaOpen);
    QCOMPARE(rig->view.morePresses, areaOpen ? 1 : 0);
    QCOMPARE(rig->view.moreEnabled, moreEnabled);
    QCOMPARE(rig->view.closedWith, signedIn ? 1 : 0);
    QCOMPARE(rig->dataModule.sessionLogin(), signedIn ? login : QString());

    DataModule& dm = rig->dataModule;
    if (!signedIn) {
        QVERIFY(!dm.scheduleLines.isActive());
        return;
    }
    const ConnectionParams params = ConnectionParams::parse(rig->connection().connectionString());
    // The account the server handed this person, not the settings file's.
    QVERIFY(!params.userId.isEmpty() && params.userId != rig->installation.settings().userId);
    QVERIFY(!params.password.isEmpty() && params.password != rig->installation.settings().password);
    QCOMPARE(params.dataSource, rig->installation.settings().dataSource);
    for (const Dataset* dataset :
         {&dm.scheduleLines, &dm.teachers, &dm.divisions, &dm.subLevels, &dm.rates, &dm.placements,
          &dm.faculties, &dm.departments, &dm.personNames, &dm.posts, &dm.institution, &dm.structureKinds,
          &dm.fundingSources, &dm.entryKinds, &dm.withdrawalKinds})
        QVERIFY2(dataset->isActive(), qPrintable(dataset->name()));
    QVERIFY(!dm.levelTwoDivisions.isActive());
    QVERIFY(dm.departments.recordCount() > 0);
    QCOMPARE(dateOrder(rig->connection()), expectedDateOrder(engine));
}

// A client installed by the package: nothing beside the executable, the settings in the workstation's folder
// and an embedded database in the workstation's data folder.
void TestSignInFlow::workstationSettingsServeWhenNoneBesideTheProgram()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine, SettingsPlace::Workstation));
    QVERIFY(!QFile::exists(QDir(rig->view.home).filePath(QStringLiteral("Data/ZEB"))));
    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));

    rig->flow.signInButtonClicked();

    QCOMPARE(platform.errors(), QStringList());
    QCOMPARE(rig->view.closedWith, 1);
    QCOMPARE(rig->dataModule.sessionLogin(), QStringLiteral("kadry"));
    QCOMPARE(rig->connection().dataDirectory(), rig->installation.dataDirectory());
    QVERIFY(rig->dataModule.departments.recordCount() > 0);
}

void TestSignInFlow::serverMessageKeepsTheConnectionForTheRetry()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));

    rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), unknownUser);
    QVERIFY(rig->connection().isOpen());
    QCOMPARE(ConnectionParams::parse(rig->connection().connectionString()).userId,
             rig->installation.settings().userId);
    const QVariant session = sessionMark(rig->connection());

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.messages, QStringList({unknownUser, unknownUser}));
    QVERIFY(rig->connection().isOpen());
    QCOMPARE(sessionMark(rig->connection()), session);

    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.closedWith, 1);
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInFlow::repeatedFailuresLockTheAccount()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    const QString locked =
        QStringLiteral("Учётная запись временно заблокирована после неудачных попыток входа. "
                       "Повторите попытку через 15 минут.");

    rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));
    // The fifth failure locks without telling the guesser so.
    for (int attempt = 1; attempt <= 5; ++attempt) {
        rig->flow.signInButtonClicked();
        QCOMPARE(rig->view.message(), unknownUser);
    }

    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), locked);
    QCOMPARE(rig->view.closedWith, 0);
    QCOMPARE(rig->flow.attemptCount(), quint8(6));
}

void TestSignInFlow::changeIsProposedOnlyAtTheFirstAttempt()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    rig->type(QStringLiteral("sidorov"), QStringLiteral("sidorov1"));

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), changeMessage);
    QVERIFY(rig->flow.passwordAreaOpen());
    QVERIFY(!rig->connection().isOpen());

    // With the area still open and nothing typed the new password is too short.
    rig->flow.signInButtonClicked();
    QCOMPARE(
        rig->view.message(),
        QStringLiteral("Пароль должен состоять не менее чем из 6 символов!!!\rВведите новый пароль заново."));

    rig->view.pressMoreButton();
    QVERIFY(!rig->flow.passwordAreaOpen());
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->flow.attemptCount(), quint8(3));
    QCOMPARE(rig->view.closedWith, 1);
    QCOMPARE(rig->dataModule.sessionLogin(), QStringLiteral("sidorov"));
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInFlow::newPasswordChecks_data()
{
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("confirmation");
    QTest::addColumn<QString>("message");

    const QString differ = QStringLiteral("Новый пароль подтвержден не верно!!!\rПодтвердите пароль заново.");
    const QString tooShort =
        QStringLiteral("Пароль должен состоять не менее чем из 6 символов!!!\rВведите новый пароль заново.");
    QTest::newRow("differ") << QStringLiteral("abcdef1") << QStringLiteral("abcdef2") << differ;
    QTest::newRow("differ in letter case") << QStringLiteral("Abcdef") << QStringLiteral("abcdef") << differ;
    QTest::newRow("confirmation empty") << QStringLiteral("abcdef") << QString() << differ;
    QTest::newRow("five characters") << QStringLiteral("abc12") << QStringLiteral("abc12") << tooShort;
    QTest::newRow("both empty") << QString() << QString() << tooShort;
}

void TestSignInFlow::newPasswordChecks()
{
    QFETCH(QString, newPassword);
    QFETCH(QString, confirmation);
    QFETCH(QString, message);

    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(EngineKind::Sqlite));
    rig->type(QStringLiteral("sidorov"), QStringLiteral("sidorov1"));
    rig->view.pressMoreButton();
    rig->view.newPasswordText = newPassword;
    rig->view.confirmationText = confirmation;

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.messages, QStringList{message});
    QCOMPARE(rig->view.clears, 1);
    QCOMPARE(rig->view.newPasswordText, QString());
    QCOMPARE(rig->view.confirmationText, QString());
    // The settings file was not even read.
    QCOMPARE(rig->connection().connectionString(), QString());
    QCOMPARE(rig->flow.attemptCount(), quint8(1));

    // The refused press was the first attempt, so the expiring password is no longer offered a change.
    rig->view.pressMoreButton();
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.closedWith, 1);
}

void TestSignInFlow::demandedChangeSignsInWithTheNewPassword()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    rig->type(QStringLiteral("novikova"), QStringLiteral("novikova1"));

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), changeMessage);
    QVERIFY(rig->flow.passwordAreaOpen());
    QVERIFY(!rig->view.moreEnabled);

    rig->view.newPasswordText = rig->view.confirmationText = QStringLiteral("novikova1");
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), QStringLiteral("Новый пароль должен отличаться от прежнего."));

    rig->view.newPasswordText = rig->view.confirmationText = QStringLiteral("Novikova_2");
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.closedWith, 1);
    QCOMPARE(rig->dataModule.sessionLogin(), QStringLiteral("novikova"));
    QCOMPARE(platform.errors(), QStringList());

    QCOMPARE(rig->installation.getUser(QStringLiteral("novikova"), QStringLiteral("Novikova_2")).message,
             QString());
    QCOMPARE(rig->installation.getUser(QStringLiteral("novikova"), QStringLiteral("novikova1")).message,
             unknownUser);
}

void TestSignInFlow::updateWithoutUpdateServerEndsTheProgram()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    platform.setComputerName(QStringLiteral("TEST-PC"));
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    // The workstation has taken build 1; then build 2 is published.
    QCOMPARE(rig->installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
             1);
    rig->installation.adminEngine()->run(
        QStringLiteral("UPDATE %1 SET build = build + 1").arg(table(engine, QStringLiteral("zeb_program"))));
    platform.queueAnswer(MessageAnswer::Ok);
    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));

    rig->flow.signInButtonClicked();

    QCOMPARE(platform.boxes().size(), 1);
    QCOMPARE(platform.boxes().at(0).text,
             QStringLiteral("Сервер обновлений не доступен.\rОбратитесь к администратору."));
    QCOMPARE(platform.boxes().at(0).caption, QStringLiteral("Уведомление"));
    QCOMPARE(platform.boxes().at(0).icon, MessageIcon::Information);
    QCOMPARE(platform.terminationRequests(), 1);
    QCOMPARE(rig->view.messages, QStringList());
    QCOMPARE(rig->view.closedWith, 0);
    QCOMPARE(rig->dataModule.sessionLogin(), QString());
    QVERIFY(rig->connection().isOpen());
    QCOMPARE(platform.errors(), QStringList());
}

// A folder the user may not write is not replaced: no download starts, the user reads which build the
// server published, and the sign-in goes on into the program.
void TestSignInFlow::readOnlyProgramFolderSignsInWithoutTheUpdate()
{
    QFETCH(EngineKind, engine);
    ScriptedPlatform platform;
    platform.setComputerName(QStringLiteral("TEST-PC"));
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    LocalHttpServer updates;
    updates.serve(QStringLiteral("/zebprogs/ZEB 7.t"), httpAnswer(200, "ZEB 7"));
    updates.serve(QStringLiteral("/zebprogs/ZEB 7.exe"), httpAnswer(200, "new build"));
    QVERIFY(writeFileContents(UpdateServer::configPath(rig->view.home), updates.baseAddress().toUtf8()));
    QCOMPARE(rig->installation.getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
             1);
    rig->installation.adminEngine()->run(
        QStringLiteral("UPDATE %1 SET build = 5").arg(table(engine, QStringLiteral("zeb_program"))));
    const QFile::Permissions writable = QFile::permissions(rig->view.home);
    QVERIFY(QFile::setPermissions(rig->view.home, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    platform.queueAnswer(MessageAnswer::Ok);
    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));

    rig->flow.signInButtonClicked();
    QFile::setPermissions(rig->view.home, writable);

    QVERIFY(updates.requestedPaths().isEmpty());
    QCOMPARE(platform.boxes().size(), 1);
    QCOMPARE(
        platform.boxes().at(0).text,
        QStringLiteral("Опубликована сборка 5 программы.\rПапка программы «%1» закрыта для записи, поэтому "
                       "программа не может обновиться сама: её обновляет администратор, сообщите ему о "
                       "новой сборке.\rРабота продолжается в текущей версии.")
            .arg(QDir::toNativeSeparators(rig->view.home)));
    QCOMPARE(platform.boxes().at(0).icon, MessageIcon::Information);
    QCOMPARE(platform.terminationRequests(), 0);
    QCOMPARE(platform.errors(), QStringList());
    QCOMPARE(rig->view.closedWith, 1);
    QCOMPARE(rig->dataModule.sessionLogin(), QStringLiteral("kadry"));
    QVERIFY(rig->dataModule.departments.recordCount() > 0);
    QVERIFY(!QFileInfo::exists(QDir(rig->view.home).filePath(QStringLiteral("tempZEB"))));
}

void TestSignInFlow::failedReconnectionClearsTheLabel_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("breakAccount");
    QTest::addColumn<bool>("loginRecorded");

    QTest::newRow("sqlite: a table missing") << EngineKind::Sqlite << false << true;
    QTest::newRow("pg: a table missing") << EngineKind::Postgres << false << true;
    QTest::newRow("pg: returned account refused") << EngineKind::Postgres << true << false;
}

void TestSignInFlow::failedReconnectionClearsTheLabel()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, breakAccount);
    QFETCH(bool, loginRecorded);

    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    const std::unique_ptr<Engine> admin = rig->installation.adminEngine();
    if (breakAccount)
        admin->run(
            QStringLiteral("REVOKE CONNECT ON DATABASE %1 FROM %2")
                .arg(rig->installation.database(), Installation::workRole(rig->installation.database())));
    else
        admin->run(QStringLiteral("DROP TABLE %1%2")
                       .arg(table(engine, QStringLiteral("t_fio")),
                            engine == EngineKind::Postgres ? QStringLiteral(" CASCADE") : QString()));

    rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), unknownUser);

    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));
    rig->flow.signInButtonClicked();

    QCOMPARE(platform.errors().size(), 1);
    QVERIFY(!platform.errors().at(0).isEmpty());
    QCOMPARE(rig->view.messages, QStringList({unknownUser, QString()}));
    QVERIFY(!rig->connection().isOpen());
    QCOMPARE(rig->view.closedWith, 0);
    QCOMPARE(rig->dataModule.sessionLogin(), loginRecorded ? QStringLiteral("kadry") : QString());
}

void TestSignInFlow::unreachableDatabaseIsToldPlainly_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("fault");

    QTest::newRow("sqlite: database file missing") << EngineKind::Sqlite << QStringLiteral("file");
    QTest::newRow("pg: sign-in account refused") << EngineKind::Postgres << QStringLiteral("password");
    QTest::newRow("pg: no such database") << EngineKind::Postgres << QStringLiteral("catalog");
}

void TestSignInFlow::unreachableDatabaseIsToldPlainly()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, fault);

    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    FirstConnectInfo settings = rig->installation.settings();
    const QString databaseFile =
        QDir(rig->installation.dataDirectory()).filePath(settings.dataSource.section(u':', 1));
    if (fault == QLatin1String("file"))
        QVERIFY(QFile::remove(databaseFile));
    else if (fault == QLatin1String("password"))
        settings.password = QStringLiteral("wrong");
    else
        settings.initialCatalog = QStringLiteral("zeb_no_such_database");
    SettingsFile::write(rig->settingsPath(), settings);
    const QString engineText = openingFailure(settings, rig->installation.dataDirectory());
    QVERIFY(!engineText.isEmpty());
    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));

    rig->flow.signInButtonClicked();

    // The first opening's refusal, then the plain verdict; never that the login or password were wrong.
    QCOMPARE(rig->view.messages, QStringList({engineText, unreachable}));
    QCOMPARE(platform.errors(),
             QStringList{QStringLiteral("Не удаётся подключиться к базе данных.\n") + engineText});
    QVERIFY2(!platform.errors().at(0).contains(settings.userId), qPrintable(platform.errors().at(0)));
    if (fault == QLatin1String("file"))
        QVERIFY2(platform.errors().at(0).contains(QFileInfo(databaseFile).fileName()),
                 qPrintable(platform.errors().at(0)));
    QVERIFY(!rig->connection().isOpen());
    QCOMPARE(rig->view.closedWith, 0);
    QCOMPARE(rig->dataModule.sessionLogin(), QString());
}

void TestSignInFlow::settingsChangedBetweenAttempts_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("afterServerMessage");
    for (const auto& [name, engine] : installableEngines) {
        QTest::addRow("%s: connection open after a server message", name) << engine << true;
        QTest::addRow("%s: connection closed after a proposed change", name) << engine << false;
    }
}

void TestSignInFlow::settingsChangedBetweenAttempts()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, afterServerMessage);

    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(engine));
    if (afterServerMessage)
        rig->type(QStringLiteral("kadry"), QStringLiteral("wrong"));
    else
        rig->type(QStringLiteral("sidorov"), QStringLiteral("sidorov1"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->view.message(), afterServerMessage ? unknownUser : changeMessage);
    QCOMPARE(rig->connection().isOpen(), afterServerMessage);
    const QString firstString = rig->connection().connectionString();
    const QStringList firstMessages = rig->view.messages;

    const FirstConnectInfo moved = movedDatabase(rig->installation.settings());
    SettingsFile::write(rig->settingsPath(), moved);
    if (!afterServerMessage)
        rig->view.pressMoreButton();

    if (afterServerMessage) {
        // The open connection refuses another connection string: the attempt ends in the general error
        // display and leaves the connection of the first attempt open as it was.
        QVERIFY_THROWS_EXCEPTION(DatabaseError, rig->flow.signInButtonClicked());
        QCOMPARE(rig->view.messages, firstMessages);
        QVERIFY(rig->connection().isOpen());
        QCOMPARE(rig->connection().connectionString(), firstString);
    } else {
        // The closed connection takes the new file, which leads nowhere.
        rig->flow.signInButtonClicked();
        QCOMPARE(rig->connection().connectionString(), buildConnectionString(moved));
        QCOMPARE(rig->view.message(), unreachable);
        QCOMPARE(platform.errors(), QStringList{QStringLiteral("Не удаётся подключиться к базе данных.\n") +
                                                openingFailure(moved, rig->installation.dataDirectory())});
        QVERIFY(!rig->connection().isOpen());
    }
    QCOMPARE(rig->flow.attemptCount(), quint8(2));
    QCOMPARE(rig->view.closedWith, 0);
}

void TestSignInFlow::errorsBeforeTheStatementPropagate_data()
{
    QTest::addColumn<bool>("removeSettings");
    QTest::addColumn<bool>("connectionOpen");

    QTest::newRow("settings file missing") << true << false;
    QTest::newRow("address lookup fails") << false << true;
}

void TestSignInFlow::errorsBeforeTheStatementPropagate()
{
    QFETCH(bool, removeSettings);
    QFETCH(bool, connectionOpen);

    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(EngineKind::Sqlite));
    if (removeSettings)
        QVERIFY(QFile::remove(rig->settingsPath()));
    else
        platform.failIpv4Lookup(QStringLiteral("Адрес компьютера не найден."));
    rig->type(QStringLiteral("kadry"), QStringLiteral("kadry123"));

    if (removeSettings)
        QVERIFY_THROWS_EXCEPTION(IoError, rig->flow.signInButtonClicked());
    else
        QVERIFY_THROWS_EXCEPTION(Error, rig->flow.signInButtonClicked());

    QCOMPARE(rig->view.messages, QStringList());
    QCOMPARE(rig->connection().isOpen(), connectionOpen);
    QCOMPARE(rig->view.closedWith, 0);
    QCOMPARE(platform.errors(), QStringList());
}

void TestSignInFlow::attemptCounterWraps()
{
    ScriptedPlatform platform;
    std::unique_ptr<SignInRig> rig;
    QVERIFY_THROWS_NO_EXCEPTION(rig = std::make_unique<SignInRig>(EngineKind::Sqlite));
    rig->view.pressMoreButton();
    // Refused new passwords count without touching the server.
    for (int press = 0; press < 255; ++press)
        rig->flow.signInButtonClicked();
    QCOMPARE(rig->flow.attemptCount(), quint8(255));

    rig->flow.signInButtonClicked();
    QCOMPARE(rig->flow.attemptCount(), quint8(0));

    // The next press is attempt 1 again: the expiring password gets the proposal once more.
    rig->view.pressMoreButton();
    rig->type(QStringLiteral("sidorov"), QStringLiteral("sidorov1"));
    rig->flow.signInButtonClicked();
    QCOMPARE(rig->flow.attemptCount(), quint8(1));
    QCOMPARE(rig->view.message(), changeMessage);
}

QTEST_MAIN(TestSignInFlow)
#include "tst_signinflow.moc"
