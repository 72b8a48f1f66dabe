#include "server/AccountRepair.h"
#include "data/DatabaseError.h"
#include "server/Installation.h"
#include "data/NativeSql.h"
#include "server/PgOldLogins.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"
#include "pg/PgEngine.h"

#include <QTemporaryDir>
#include <QTest>

using namespace zeb;

namespace {

const QString disabledMessage = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");

QString quoted(const QString& name)
{
    return nativesql::quoteIdentifier(EngineKind::Postgres, name);
}

} // namespace

// The PostgreSQL accounts: every person works under a login of their own that GET_USER opens with a fresh
// password, the sign-in account only signs in, and nobody can lock the others out.
class PgAccountsTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestInstallation> m_installation;

    QString group() const { return Installation::workRole(m_installation->database()); }

    std::unique_ptr<Engine> admin() const { return m_installation->adminEngine(); }

    void addUser(const QString& login, const QString& password) const
    {
        UserAdmin(*admin()).add(login, password, false);
    }

    bool works(const ServerAccount& account) const
    {
        try {
            return !firstValue(*m_installation->sessionAs(account),
                               QStringLiteral("SELECT count(*) FROM dbo.post"))
                        .isNull();
        } catch (const DatabaseError&) {
            return false;
        }
    }

    bool canLogIn(const QString& role) const
    {
        return firstValue(*admin(), QStringLiteral("SELECT rolcanlogin FROM pg_roles WHERE rolname = $1"),
                          {role})
            .toBool();
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_installation =
                                        std::make_unique<TestInstallation>(EngineKind::Postgres));
    }

    void cleanupTestCase() { m_installation.reset(); }

    void ownPasswordChangeLocksNobodyOut()
    {
        addUser(QStringLiteral("anna"), QStringLiteral("anna1234"));
        addUser(QStringLiteral("boris"), QStringLiteral("boris1234"));
        const ServerAccount anna = m_installation->signIn(QStringLiteral("anna"), QStringLiteral("anna1234"));
        const ServerAccount boris =
            m_installation->signIn(QStringLiteral("boris"), QStringLiteral("boris1234"));
        QVERIFY(anna.user != boris.user);
        QVERIFY(anna.user != group());

        const std::unique_ptr<Engine> annaSession = m_installation->sessionAs(anna);
        annaSession->run(QStringLiteral("ALTER ROLE %1 PASSWORD 'chosen1'").arg(quoted(anna.user)));
        for (const QString& other : {group(), boris.user, m_installation->settings().userId})
            QVERIFY_THROWS_EXCEPTION(
                DatabaseError,
                annaSession->run(QStringLiteral("ALTER ROLE %1 PASSWORD 'x'").arg(quoted(other))));

        QVERIFY(works(boris));
        QVERIFY(works(m_installation->signIn(QStringLiteral("boris"), QStringLiteral("boris1234"))));

        const ServerAccount again =
            m_installation->signIn(QStringLiteral("anna"), QStringLiteral("anna1234"));
        QCOMPARE(again.user, anna.user);
        QVERIFY(works(again));
        QVERIFY(!works(ServerAccount{anna.user, QStringLiteral("chosen1")}));
        QVERIFY(!works(anna));
    }

    void signInAccountOnlySignsIn_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::newRow("read the schedule") << QStringLiteral("SELECT count(*) FROM dbo.vakansii");
        QTest::newRow("read the users") << QStringLiteral("SELECT count(*) FROM dbo.zeb_users");
        QTest::newRow("unlock users") << QStringLiteral("UPDATE dbo.zeb_users SET disabled = 0");
        QTest::newRow("become the group") << QStringLiteral("SET ROLE %GROUP%");
        QTest::newRow("open the group") << QStringLiteral("ALTER ROLE %GROUP% LOGIN PASSWORD 'x'");
        QTest::newRow("copy a department") << QStringLiteral("CALL dbo.copykafedraonkafedra(1, 2, 'x', 'y')");
        QTest::newRow("create in dbo") << QStringLiteral("CREATE TABLE dbo.mine (id integer)");
        QTest::newRow("create in public") << QStringLiteral("CREATE TABLE public.mine (id integer)");
        QTest::newRow("create a temporary table") << QStringLiteral("CREATE TEMP TABLE mine (id integer)");
    }
    void signInAccountOnlySignsIn()
    {
        QFETCH(QString, statement);
        const FirstConnectInfo& settings = m_installation->settings();
        const std::unique_ptr<Engine> signin =
            m_installation->sessionAs(ServerAccount{settings.userId, settings.password});
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 signin->run(statement.replace(QLatin1String("%GROUP%"), quoted(group()))));
        QVERIFY(!canLogIn(group()));
        QCOMPARE(m_installation->getUser(QStringLiteral("nobody"), QStringLiteral("x")).message,
                 QStringLiteral("Неверное имя пользователя или пароль."));
    }

    void lockEndsTheOpenSessionAtOnce()
    {
        addUser(QStringLiteral("vera"), QStringLiteral("vera1234"));
        const ServerAccount vera = m_installation->signIn(QStringLiteral("vera"), QStringLiteral("vera1234"));
        const std::unique_ptr<Connection> open = m_installation->connectionAs(vera);
        QVERIFY(open->query(QStringLiteral("select count(*) from post"))->next());

        UserAdmin(*admin()).lock(QStringLiteral("Vera"));
        QVERIFY_THROWS_EXCEPTION(Error, open->query(QStringLiteral("select count(*) from post")));
        QVERIFY(!works(vera));
        QCOMPARE(m_installation->getUser(QStringLiteral("vera"), QStringLiteral("vera1234")).message,
                 disabledMessage);

        // Whoever opens the login again, the next refused sign-in shuts it.
        admin()->run(QStringLiteral("ALTER ROLE %1 LOGIN").arg(quoted(vera.user)));
        QCOMPARE(m_installation->getUser(QStringLiteral("vera"), QStringLiteral("vera1234")).message,
                 disabledMessage);
        QVERIFY(!canLogIn(vera.user));
        QVERIFY(!works(vera));

        UserAdmin(*admin()).unlock(QStringLiteral("vera"));
        QVERIFY(works(m_installation->signIn(QStringLiteral("vera"), QStringLiteral("vera1234"))));
    }

    // Roles outlive a dropped database: the logins of the one before must not open a new one of its name.
    void reinstallUnderTheSameNameRefusesOldLogins()
    {
        const TestPgServer server = TestPgServer::fromEnvironment();
        std::unique_ptr<TestInstallation> first;
        QVERIFY_THROWS_NO_EXCEPTION(first = std::make_unique<TestInstallation>(EngineKind::Postgres));
        UserAdmin(*first->adminEngine()).add(QStringLiteral("olga"), QStringLiteral("olga1234"), false);
        const GetUserAnswer olga = first->getUser(QStringLiteral("olga"), QStringLiteral("olga1234"));
        const ServerAccount old{olga.unscrambledUserId(), olga.unscrambledPassword()};
        {
            PgEngine postgres(server.adminParams(QStringLiteral("postgres")));
            postgres.open();
            postgres.run(QStringLiteral("DROP DATABASE %1 WITH (FORCE)").arg(quoted(first->database())));
        }
        QTemporaryDir folder;
        InstallRequest request;
        request.directory = folder.path();
        request.engine = EngineKind::Postgres;
        request.host = server.host;
        request.port = server.port;
        request.adminUser = server.adminUser;
        request.adminPassword = server.adminPassword;
        request.database = first->database();
        try {
            Installation::install(request);
            QFAIL("installed over the logins of the earlier installation");
        } catch (const Error& error) {
            for (const QString& named :
                 {old.user, Installation::signinRole(request.database),
                  Installation::workRole(request.database), QStringLiteral("--drop-old-logins")})
                QVERIFY2(error.message().contains(named), qPrintable(error.message()));
        }
        request.dropOldLogins = true;
        QVERIFY_THROWS_NO_EXCEPTION(Installation::install(request));
        QVERIFY_THROWS_EXCEPTION(
            DatabaseError,
            PgEngine(ConnectionParams{old.user, old.password, request.database, server.dataSource()}).open());
    }

    void repairRemovesOrphanedPersonLogins()
    {
        addUser(QStringLiteral("pavel"), QStringLiteral("pavel1234"));
        addUser(QStringLiteral("rita"), QStringLiteral("rita1234"));
        const ServerAccount pavel =
            m_installation->signIn(QStringLiteral("pavel"), QStringLiteral("pavel1234"));
        const ServerAccount rita = m_installation->signIn(QStringLiteral("rita"), QStringLiteral("rita1234"));
        const QString leftOver = group() + QStringLiteral("_999");
        admin()->run(QStringLiteral("DELETE FROM dbo.zeb_users WHERE login = 'pavel'"));
        admin()->run(QStringLiteral("CREATE ROLE %1 LOGIN PASSWORD 'left1234' IN ROLE %2")
                         .arg(quoted(leftOver), quoted(group())));
        const std::unique_ptr<Connection> open = m_installation->connectionAs(pavel);

        const TestPgServer server = TestPgServer::fromEnvironment();
        QStringList expected{leftOver, pavel.user};
        expected.sort();
        QCOMPARE(removeOrphanPersonLogins(m_installation->directory(),
                                          ServerAccount{server.adminUser, server.adminPassword}),
                 expected);
        QVERIFY_THROWS_EXCEPTION(Error, open->query(QStringLiteral("select count(*) from post")));
        QVERIFY(!works(pavel));
        QVERIFY(!works(ServerAccount{leftOver, QStringLiteral("left1234")}));
        QVERIFY(works(rita));
        QVERIFY(
            firstValue(*admin(), QStringLiteral("SELECT 1 FROM pg_roles WHERE rolname = $1"), {pavel.user})
                .isNull());
    }

    void repairBringsAnOlderInstallationOver()
    {
        std::unique_ptr<TestInstallation> older;
        QVERIFY_THROWS_NO_EXCEPTION(older = std::make_unique<TestInstallation>(EngineKind::Postgres));
        const QString olderGroup = Installation::workRole(older->database());
        {
            const std::unique_ptr<Engine> engine = older->adminEngine();
            UserAdmin(*engine).add(QStringLiteral("olga"), QStringLiteral("olga1234"), false);
            // As such an installation was: one shared login handed out from a table, six answer columns.
            engine->runScript(
                QStringLiteral(
                    "DROP FUNCTION dbo.get_user(text, text, text, text, text, text, text, text, text);"
                    "CREATE FUNCTION dbo.get_user(text, text, text, text, text, text, text, text, text) "
                    "RETURNS TABLE (db_user text, db_password text, user_name text, pass_state integer, "
                    "message text, update_state integer) LANGUAGE sql SECURITY DEFINER "
                    "AS $$ SELECT 'x'::text, 'x'::text, NULL::text, 90, NULL::text, 1 $$;"
                    "GRANT EXECUTE ON FUNCTION dbo.get_user(text, text, text, text, text, text, text, "
                    "text, text) TO %1;"
                    "ALTER TABLE dbo.zeb_users DROP COLUMN db_role, DROP COLUMN role_number;"
                    "ALTER TABLE dbo.zeb_program DROP COLUMN digest;"
                    "DROP TABLE dbo.zeb_work_role;"
                    "CREATE TABLE dbo.zeb_session_account (id integer PRIMARY KEY, "
                    "db_user varchar(20), db_password varchar(20));"
                    "ALTER ROLE %2 LOGIN PASSWORD 'shared12';")
                    .arg(older->settings().userId, olderGroup));
        }
        const TestPgServer server = TestPgServer::fromEnvironment();
        QCOMPARE(repairAccounts(older->directory(), ServerAccount{server.adminUser, server.adminPassword}),
                 AccountRepairResult::Repaired);

        const GetUserAnswer answer = older->getUser(QStringLiteral("olga"), QStringLiteral("olga1234"));
        QCOMPARE(answer.message, QString());
        QVERIFY(answer.unscrambledUserId().startsWith(olderGroup + QLatin1Char('_')));
        QVERIFY_THROWS_NO_EXCEPTION(
            older->connectionAs({answer.unscrambledUserId(), answer.unscrambledPassword()}));
        QVERIFY_THROWS_EXCEPTION(DatabaseError,
                                 older->connectionAs({olderGroup, QStringLiteral("shared12")}));
        QVERIFY(
            firstValue(*older->adminEngine(), QStringLiteral("SELECT to_regclass('dbo.zeb_session_account')"))
                .isNull());
    }
};

QTEST_GUILESS_MAIN(PgAccountsTest)
#include "tst_pgaccounts.moc"
