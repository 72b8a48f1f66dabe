#include "signin/ConnectionString.h"
#include "data/DatabaseError.h"
#include "tests/support/EngineMessage.h"
#include "tests/support/TestInstallation.h"
#include "server/UserAdmin.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

using namespace zeb;

namespace {

const QString locked = QStringLiteral("Учётная запись заблокирована. Обратитесь к администратору.");
const QString stalePassword =
    QStringLiteral("Пароль соединения с базой данных недействителен: войдите в программу заново.");

QString refusedTable(const QString& table)
{
    return QStringLiteral("Нет доступа к таблице «%1»: таблицы входа в программу читает и изменяет только "
                          "администратор.")
        .arg(table);
}

qint64 countOf(Connection& connection, const QString& from)
{
    const std::unique_ptr<ResultCursor> rows =
        connection.query(QStringLiteral("select count(*) from ") + from);
    rows->next();
    return rows->toInt64(0);
}

} // namespace

// The embedded installation as the program meets it: connections opened with what a real sign-in hands out.
class EmbeddedAccessTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestInstallation> m_installation;

    TestInstallation& installation() { return *m_installation; }

    // The account GET_USER hands out to the person at this sign-in.
    ServerAccount signIn(const QString& login, const QString& password)
    {
        const GetUserAnswer answer = installation().getUser(login, password);
        if (!answer.message.isEmpty())
            qFatal("%s was refused: %s", qPrintable(login), qPrintable(answer.message));
        return {answer.unscrambledUserId(), answer.unscrambledPassword()};
    }

    void addUser(const QString& login, const QString& password)
    {
        const std::unique_ptr<Engine> admin = installation().adminEngine();
        UserAdmin(*admin).add(login, password, false);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY_THROWS_NO_EXCEPTION(m_installation =
                                        std::make_unique<TestInstallation>(EngineKind::Sqlite, true));
    }

    void signedInClientCannotReachSignInTables_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("table");
        const QString users = QStringLiteral("zeb_users");
        QTest::newRow("read the digests")
            << QStringLiteral("select login, pass_digest from zeb_users") << users;
        QTest::newRow("read through dbo") << QStringLiteral("select * from dbo.zeb_users") << users;
        QTest::newRow("unlock a user")
            << QStringLiteral("update zeb_users set disabled = 0 where login = 'blocked'") << users;
        QTest::newRow("copy a digest")
            << QStringLiteral("update zeb_users set pass_digest = (select pass_digest from zeb_users where "
                              "login = 'kadry') where login = 'blocked'")
            << users;
        QTest::newRow("delete a user")
            << QStringLiteral("delete from zeb_users where login = 'admin'") << users;
        QTest::newRow("publish a build")
            << QStringLiteral("update zeb_program set build = build + 1") << QStringLiteral("zeb_program");
        QTest::newRow("forget workstations")
            << QStringLiteral("delete from zeb_workstations") << QStringLiteral("zeb_workstations");
    }

    void signedInClientCannotReachSignInTables()
    {
        QFETCH(QString, statement);
        QFETCH(QString, table);
        const std::unique_ptr<Connection> kadry =
            installation().connectionAs(signIn(QStringLiteral("kadry"), QStringLiteral("kadry123")));
        QCOMPARE(messageOf([&] { kadry->run(statement); }), refusedTable(table));

        QVERIFY(countOf(*kadry, QStringLiteral("Vakansii")) > 0);
        QCOMPARE(installation().getUser(QStringLiteral("blocked"), QStringLiteral("blocked1")).message,
                 locked);
        QCOMPARE(installation().getUser(QStringLiteral("admin"), QStringLiteral("admin123")).message,
                 QString());
        QCOMPARE(installation().getUser(QStringLiteral("kadry"), QStringLiteral("kadry123")).updateIndicator,
                 1);
    }

    void departmentCopyStillWorks()
    {
        const std::unique_ptr<Connection> kadry =
            installation().connectionAs(signIn(QStringLiteral("kadry"), QStringLiteral("kadry123")));
        const std::unique_ptr<ResultCursor> departments =
            kadry->query(QStringLiteral("select min(id_kafedra), max(id_kafedra) from Kafedra"));
        QVERIFY(departments->next());
        const qint64 source = departments->toInt64(0);
        const qint64 target = departments->toInt64(1);
        const QString lines = QStringLiteral("Vakansii where id_kafedra = %1");
        const qint64 before = countOf(*kadry, lines.arg(target));
        const qint64 copied = countOf(*kadry, lines.arg(source) + QStringLiteral(" and (id_deduce is null or "
                                                                                 "id_deduce <> 2)"));
        QVERIFY(copied > 0);
        kadry->run(QStringLiteral("EXEC CopyKafedraOnKafedra @id_kafedraFrom = %1, @id_kafedraTo = %2, "
                                  "@zeb_user = 'kadry', @ip = 'КАДРЫ-1\\10.0.0.5'")
                       .arg(source)
                       .arg(target));
        QCOMPARE(countOf(*kadry, lines.arg(target)), before + copied);
    }

    void lockStopsAnOpenConnectionAtOnce()
    {
        addUser(QStringLiteral("ivanov"), QStringLiteral("ivanov12"));
        const ServerAccount account = signIn(QStringLiteral("ivanov"), QStringLiteral("ivanov12"));
        const std::unique_ptr<Connection> ivanov = installation().connectionAs(account);
        const std::unique_ptr<Connection> colleague = installation().signedInConnection();
        QVERIFY(countOf(*ivanov, QStringLiteral("post")) > 0);
        {
            const std::unique_ptr<Engine> admin = installation().adminEngine();
            UserAdmin(*admin).lock(QStringLiteral("ivanov"));
        }

        QCOMPARE(messageOf([&] { ivanov->query(QStringLiteral("select count(*) from post")); }), locked);
        QVERIFY(!ivanov->isOpen());
        QCOMPARE(messageOf([&] { ivanov->query(QStringLiteral("select count(*) from post")); }), locked);
        QCOMPARE(messageOf([&] { installation().connectionAs(account); }), locked);
        QCOMPARE(installation().getUser(QStringLiteral("ivanov"), QStringLiteral("ivanov12")).message,
                 locked);
        QVERIFY(countOf(*colleague, QStringLiteral("post")) > 0);

        {
            const std::unique_ptr<Engine> admin = installation().adminEngine();
            UserAdmin(*admin).unlock(QStringLiteral("ivanov"));
        }
        const std::unique_ptr<Connection> again =
            installation().connectionAs(signIn(QStringLiteral("ivanov"), QStringLiteral("ivanov12")));
        QVERIFY(countOf(*again, QStringLiteral("post")) > 0);
    }

    void lastPasswordStopsAtTheNextSignIn()
    {
        const ServerAccount first = signIn(QStringLiteral("kadry"), QStringLiteral("kadry123"));
        const ServerAccount second = signIn(QStringLiteral("kadry"), QStringLiteral("kadry123"));
        QCOMPARE(second.user, first.user);
        QVERIFY(second.password != first.password);
        QCOMPARE(messageOf([&] { installation().connectionAs(first); }), stalePassword);
        QCOMPARE(messageOf([&] { installation().connectionAs(second); }), QString());
        QCOMPARE(messageOf([&] { installation().connectionAs({first.user, QString()}); }), stalePassword);
    }

    void passwordToChangeOpensNothing_data()
    {
        QTest::addColumn<QString>("login");
        QTest::addColumn<QString>("password");
        QTest::newRow("must change") << QStringLiteral("novikova") << QStringLiteral("novikova1");
        QTest::newRow("expired") << QStringLiteral("petrova") << QStringLiteral("petrova1");
    }

    void passwordToChangeOpensNothing()
    {
        QFETCH(QString, login);
        QFETCH(QString, password);
        const GetUserAnswer demanded = installation().getUser(login, password);
        QVERIFY(demanded.passwordStatus < 0);
        QCOMPARE(demanded.dbUserId, QString());
        QCOMPARE(demanded.dbPassword, QString());
        QCOMPARE(messageOf([&] { installation().connectionAs({login, QString()}); }), stalePassword);

        const GetUserAnswer changed = installation().getUser(login, password, QStringLiteral("novyi_123"));
        QCOMPARE(changed.message, QString());
        const std::unique_ptr<Connection> person =
            installation().connectionAs({changed.unscrambledUserId(), changed.unscrambledPassword()});
        QVERIFY(countOf(*person, QStringLiteral("post")) > 0);
    }

    void unreachableFileIsToldPlainly_data()
    {
        QTest::addColumn<QByteArray>("content"); // empty: no file
        QTest::addColumn<QString>("message");
        QTest::newRow("missing") << QByteArray()
                                 << QStringLiteral("Не удаётся открыть базу данных: файл «%1» не найден.");
        QTest::newRow("not a database")
            << QByteArray(4096, 'x')
            << QStringLiteral("Не удаётся открыть базу данных: файл «%1» не является базой данных.");
    }

    void unreachableFileIsToldPlainly()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        const QString path = installation().dataDirectory() + QStringLiteral("/elsewhere.db");
        if (!content.isEmpty()) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(content);
        }
        FirstConnectInfo settings = installation().settings();
        settings.dataSource = QStringLiteral("sqlite:elsewhere.db");
        Connection connection;
        connection.setDataDirectory(installation().dataDirectory());
        connection.setConnectionString(buildConnectionString(settings));

        QCOMPARE(messageOf([&] { connection.open(); }), message.arg(path));
        QCOMPARE(messageOf([&] { connection.run(QStringLiteral("EXEC GET_USER 'kadry'")); }),
                 message.arg(path));
        QCOMPARE(QFileInfo::exists(path), !content.isEmpty());
        QFile::remove(path);
    }

    // SQLite gives its journal the database file's mode.
    void journalIsOwnerOnly()
    {
        const QString journal = installation().dataDirectory() + QStringLiteral("/zeb.db-journal");
        const std::unique_ptr<Engine> admin = installation().adminEngine();
        admin->beginTransaction();
        admin->run(QStringLiteral("INSERT INTO post (post) VALUES ('Лаборант')"));
        QVERIFY(QFileInfo::exists(journal));
        QCOMPARE(QFile::permissions(journal), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadUser | QFileDevice::WriteUser);
        admin->rollback();
    }
};

QTEST_GUILESS_MAIN(EmbeddedAccessTest)
#include "tst_embeddedaccess.moc"
