#include "DatabaseError.h"
#include "GetUserOracle.h"
#include "SqliteTestFile.h"

#include <QTest>
#include <memory>

using namespace zeb;
using getuseroracle::messageOf;
using getuseroracle::unscrambled;

namespace {

const QString signInOnly = QStringLiteral(
    "Соединение открыто учётной записью входа: до входа пользователя доступна только процедура GET_USER.");

QString refusedTable(const QString& table)
{
    return QStringLiteral("Нет доступа к таблице «%1»: таблицы входа в программу читает и изменяет только "
                          "администратор.")
        .arg(table);
}

} // namespace

// The embedded engine keeps the sign-in tables from every statement a client sends, also through objects
// the client makes itself, while its built-in procedures keep working on them.
class TestSqliteAccess : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SqliteTestFile> m_db;

    SqliteEngine& admin() { return m_db->engine(); }

    std::unique_ptr<SqliteEngine> client(const QString& userId, const QString& password)
    {
        auto engine = std::make_unique<SqliteEngine>(m_db->path(), SqliteRole::Client, userId, password);
        engine->open();
        return engine;
    }

    // The settings file's account: no person's login.
    std::unique_ptr<SqliteEngine> signInClient()
    {
        return client(QStringLiteral("zeb_signin"), QStringLiteral("s3"));
    }

    static StatementResult getUser(SqliteEngine& engine, const QString& login, const QString& password)
    {
        ProcedureCall call{QStringLiteral("GET_USER"), {}};
        for (const QVariant& value :
             QVariantList{login, getuseroracle::digest(password), QVariant(), QStringLiteral("ZEB 7"),
                          QStringLiteral("10.0.0.5"), QStringLiteral("КАДРЫ-1"), login, QStringLiteral("0"),
                          QStringLiteral("4")})
            call.arguments.append({QString(), value});
        return engine.callProcedure(call);
    }

    // A connection of kadry as after the client's sign-in.
    std::unique_ptr<SqliteEngine> personClient()
    {
        const StatementResult answer =
            getUser(*signInClient(), QStringLiteral("kadry"), QStringLiteral("kadry123"));
        if (!answer.rows->next() || !answer.rows->isNull(4))
            qFatal("kadry was not signed in");
        return client(unscrambled(answer.rows->toText(0)), unscrambled(answer.rows->toText(1)));
    }

    // What the sign-in tables and the schema hold, to tell that a refused statement changed nothing.
    QString signInState()
    {
        return SqliteTestFile::scalarOf(
                   admin(), QStringLiteral("SELECT (SELECT group_concat(login || pass_digest || disabled || "
                                           "coalesce(session_digest, ''), ',') FROM zeb_users) || '|' || "
                                           "(SELECT count(*) FROM zeb_workstations) || '|' || "
                                           "(SELECT group_concat(program || build, ',') FROM zeb_program) || "
                                           "'|' || (SELECT group_concat(name, ',') FROM sqlite_master)"))
            .toString();
    }

private Q_SLOTS:
    void init()
    {
        m_db = std::make_unique<SqliteTestFile>();
        admin().run(QStringLiteral("INSERT INTO zeb_users (login, pass_digest) VALUES ('kadry', ?)"),
                    {getuseroracle::digest(QStringLiteral("kadry123"))});
        admin().runScript(QStringLiteral("INSERT INTO post (id_post, post) VALUES (1, 'Доцент');"
                                         "INSERT INTO Kafedra (id_kafedra, f1) VALUES (1, 'Физики'), (2, "
                                         "'Химии');"
                                         "INSERT INTO Deduce (id_deduce, deduce) VALUES (1, 'нет');"
                                         "INSERT INTO Vakansii (id_kafedra, id_post) VALUES (1, 1);"));
    }

    void cleanup() { m_db.reset(); }

    void clientStatementsAreRefused_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("table");
        const QString users = QStringLiteral("zeb_users");
        QTest::newRow("read") << QStringLiteral("SELECT login, pass_digest FROM zeb_users") << users;
        QTest::newRow("read in another letter case") << QStringLiteral("SELECT * FROM ZEB_USERS") << users;
        QTest::newRow("read in a subquery")
            << QStringLiteral("SELECT count(*) FROM post WHERE post IN (SELECT login FROM zeb_users)")
            << users;
        QTest::newRow("unlock") << QStringLiteral("UPDATE zeb_users SET disabled = 0, failed_count = 0")
                                << users;
        QTest::newRow("add a user") << QStringLiteral(
                                           "INSERT INTO zeb_users (login, pass_digest) VALUES ('x', 'y')")
                                    << users;
        QTest::newRow("publish a build")
            << QStringLiteral("UPDATE zeb_program SET build = 9") << QStringLiteral("zeb_program");
        QTest::newRow("forget workstations")
            << QStringLiteral("DELETE FROM zeb_workstations") << QStringLiteral("zeb_workstations");
        QTest::newRow("drop") << QStringLiteral("DROP TABLE zeb_workstations")
                              << QStringLiteral("zeb_workstations");
        QTest::newRow("rename") << QStringLiteral("ALTER TABLE zeb_users RENAME TO people") << users;
        QTest::newRow("index") << QStringLiteral("CREATE INDEX peek ON zeb_users (pass_digest)") << users;
        QTest::newRow("trigger on it")
            << QStringLiteral("CREATE TRIGGER peek AFTER UPDATE ON zeb_users BEGIN SELECT 1; END") << users;
        QTest::newRow("temporary table of its name")
            << QStringLiteral("CREATE TEMP TABLE zeb_users (login TEXT)") << users;
    }

    void clientStatementsAreRefused()
    {
        QFETCH(QString, sql);
        QFETCH(QString, table);
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        const QString before = signInState();
        QCOMPARE(messageOf([&] { kadry->run(sql); }), refusedTable(table));
        QCOMPARE(signInState(), before);
        QCOMPARE(SqliteTestFile::scalarOf(*kadry, QStringLiteral("SELECT count(*) FROM Vakansii")),
                 QVariant(qint64(1)));
    }

    void everySignInTableIsGuarded()
    {
        QStringList tables;
        const StatementResult result = admin().run(QStringLiteral(
            "SELECT name FROM sqlite_master WHERE type = 'table' AND name LIKE 'zeb\\_%' ESCAPE "
            "'\\' AND lower(name) <> 'zeb_log'"));
        while (result.rows->next())
            tables.append(result.rows->toText(0));
        QVERIFY(!tables.isEmpty());
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        for (const QString& table : std::as_const(tables))
            QCOMPARE(messageOf([&] { kadry->run(QStringLiteral("SELECT * FROM %1").arg(table)); }),
                     refusedTable(table));
    }

    // A view or trigger of the client's own reaches the sign-in tables neither on the client's behalf nor
    // while a procedure runs.
    void clientObjectsDoNotOpenTheTables()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        const QString viaView = messageOf([&] {
            kadry->run(QStringLiteral("CREATE VIEW peek AS SELECT login, pass_digest FROM zeb_users"));
            kadry->run(QStringLiteral("SELECT * FROM peek"));
        });
        QCOMPARE(viaView, refusedTable(QStringLiteral("zeb_users")));

        kadry->run(QStringLiteral("CREATE TRIGGER leak AFTER INSERT ON Vakansii BEGIN INSERT INTO ZEB_LOG "
                                  "(descr) SELECT pass_digest FROM zeb_users; END"));
        const QString viaTrigger = messageOf([&] {
            kadry->callProcedure({QStringLiteral("CopyKafedraOnKafedra"),
                                  {{QStringLiteral("id_kafedraFrom"), qint64(1)},
                                   {QStringLiteral("id_kafedraTo"), qint64(2)},
                                   {QStringLiteral("zeb_user"), QStringLiteral("kadry")},
                                   {QStringLiteral("ip"), QStringLiteral("КАДРЫ-1\\10.0.0.5")}}});
        });
        QCOMPARE(viaTrigger, refusedTable(QStringLiteral("zeb_users")));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM ZEB_LOG")), QVariant(qint64(0)));
    }

    // A temporary table renamed to a sign-in table's name would come first in GET_USER's own statements.
    void getUserReadsOnlyTheFilesTables()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        kadry->run(
            QStringLiteral("CREATE TEMP TABLE fake AS SELECT 'boss' AS login, ? AS pass_digest, "
                           "NULL AS full_name, NULL AS pass_changed, 90 AS pass_days, 0 AS must_change, "
                           "0 AS failed_count, NULL AS locked_until, 0 AS disabled, NULL AS session_digest"),
            {getuseroracle::digest(QStringLiteral("known"))});
        kadry->run(QStringLiteral("ALTER TABLE temp.fake RENAME TO zeb_users"));
        QCOMPARE(messageOf([&] { getUser(*kadry, QStringLiteral("boss"), QStringLiteral("known")); }),
                 refusedTable(QStringLiteral("zeb_users")));
    }

    void procedureRunsWithItsOwnRights()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        kadry->callProcedure({QStringLiteral("CopyKafedraOnKafedra"),
                              {{QStringLiteral("id_kafedraFrom"), qint64(1)},
                               {QStringLiteral("id_kafedraTo"), qint64(2)},
                               {QStringLiteral("zeb_user"), QStringLiteral("kadry")},
                               {QStringLiteral("ip"), QStringLiteral("КАДРЫ-1\\10.0.0.5")}}});
        QCOMPARE(SqliteTestFile::scalarOf(
                     *kadry, QStringLiteral("SELECT count(*) FROM Vakansii WHERE id_kafedra = 2")),
                 QVariant(qint64(1)));
        // The procedure's trust ends with it.
        QCOMPARE(messageOf([&] { kadry->run(QStringLiteral("SELECT * FROM zeb_users")); }),
                 refusedTable(QStringLiteral("zeb_users")));
    }

    void signInAccountOnlySignsIn()
    {
        const std::unique_ptr<SqliteEngine> signin = signInClient();
        QCOMPARE(messageOf([&] { signin->run(QStringLiteral("SELECT count(*) FROM post")); }), signInOnly);
        QCOMPARE(messageOf([&] { signin->runPrepared(QStringLiteral("DELETE FROM post"), {}); }), signInOnly);
        QCOMPARE(messageOf([&] { signin->runScript(QStringLiteral("DELETE FROM Vakansii;")); }), signInOnly);
        QCOMPARE(messageOf([&] {
                     signin->callProcedure({QStringLiteral("CopyKafedraOnKafedra"),
                                            {{QString(), qint64(1)},
                                             {QString(), qint64(2)},
                                             {QString(), QStringLiteral("kadry")},
                                             {QString(), QStringLiteral("x")}}});
                 }),
                 signInOnly);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM Vakansii")), QVariant(qint64(1)));
        const StatementResult refused = getUser(*signin, QStringLiteral("kadry"), QStringLiteral("wrong"));
        QVERIFY(refused.rows->next());
        QCOMPARE(refused.rows->toText(4), QStringLiteral("Неверное имя пользователя или пароль."));
    }
};

QTEST_GUILESS_MAIN(TestSqliteAccess)
#include "tst_sqlite_access.moc"
