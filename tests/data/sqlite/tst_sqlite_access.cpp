#include "data/DatabaseError.h"
#include "tests/support/EngineMessage.h"
#include "tests/data/sqlite/GetUserOracle.h"
#include "tests/data/sqlite/SqliteTestFile.h"

#include <QTest>
#include <memory>

using namespace zeb;
using getuseroracle::unscrambled;

namespace {

const QString schemaRefusal =
    QStringLiteral("Нет доступа: создавать, изменять и удалять таблицы, представления, индексы и триггеры "
                   "базы данных может только администратор.");

// The objects of the probe that read the sign-in tables through a full-text table.
QStringList attackObjects()
{
    return {QStringLiteral("CREATE VIRTUAL TABLE stolen_index USING fts5(login, pass_digest, "
                           "content='zeb_users', content_rowid='rowid')"),
            QStringLiteral("CREATE TABLE stolen (login TEXT, pass_digest TEXT)"),
            QStringLiteral("CREATE TRIGGER steal AFTER INSERT ON ZEB_LOG BEGIN INSERT INTO stolen SELECT "
                           "login, pass_digest FROM stolen_index; END")};
}

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

    static void copyDepartment(SqliteEngine& engine)
    {
        engine.callProcedure({QStringLiteral("CopyKafedraOnKafedra"),
                              {{QStringLiteral("id_kafedraFrom"), qint64(1)},
                               {QStringLiteral("id_kafedraTo"), qint64(2)},
                               {QStringLiteral("zeb_user"), QStringLiteral("kadry")},
                               {QStringLiteral("ip"), QStringLiteral("КАДРЫ-1\\10.0.0.5")}}});
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

    // A view or trigger left in the file (an older client could make them) reaches the sign-in tables
    // neither on the client's behalf nor while a procedure runs.
    void leftObjectsDoNotOpenTheTables()
    {
        admin().runScript(QStringLiteral("CREATE VIEW peek AS SELECT login, pass_digest FROM zeb_users;"
                                         "CREATE TRIGGER leak AFTER INSERT ON Vakansii BEGIN INSERT INTO "
                                         "ZEB_LOG (descr) SELECT pass_digest "
                                         "FROM zeb_users; END;"));
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        QCOMPARE(messageOf([&] { kadry->run(QStringLiteral("SELECT * FROM peek")); }),
                 refusedTable(QStringLiteral("zeb_users")));
        QCOMPARE(messageOf([&] { copyDepartment(*kadry); }), refusedTable(QStringLiteral("zeb_users")));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM ZEB_LOG")), QVariant(qint64(0)));
    }

    // As the probe ran it: a full-text table over the users, a table to collect into and a trigger on the
    // log, then the department copy, whose log row fired the trigger while the procedure ran.
    void fullTextAttackIsRefused()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        const QString before = signInState();
        for (const QString& sql : attackObjects())
            QCOMPARE(messageOf([&] { kadry->run(sql); }), schemaRefusal);
        QCOMPARE(messageOf([&] { copyDepartment(*kadry); }), QString());
        QCOMPARE(signInState(), before);
    }

    // The same objects left by an older client: neither the procedure nor the client reads through them.
    void fullTextTableLeftInTheFileReadsNothing()
    {
        for (const QString& sql : attackObjects())
            admin().run(sql);
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        QVERIFY(!messageOf([&] { copyDepartment(*kadry); }).isEmpty());
        QVERIFY(!messageOf([&] {
                     SqliteTestFile::scalarOf(*kadry, QStringLiteral("SELECT * FROM stolen_index"));
                 }).isEmpty());
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM stolen")), QVariant(qint64(0)));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM Vakansii")), QVariant(qint64(1)));
    }

    void schemaStaysTheInstallations_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("message");
        const QString pragma = QStringLiteral("Нет доступа: команды PRAGMA программе не разрешены.");
        const QString attach = QStringLiteral(
            "Нет доступа: подключать к соединению другие файлы баз данных программе не разрешено.");
        const QString internals = QStringLiteral("«%1»: она открывает внутреннее устройство базы данных.");
        QTest::newRow("table") << QStringLiteral("CREATE TABLE notes (x TEXT)") << schemaRefusal;
        QTest::newRow("temporary table")
            << QStringLiteral("CREATE TEMP TABLE notes (x TEXT)") << schemaRefusal;
        QTest::newRow("table as select")
            << QStringLiteral("CREATE TEMP TABLE notes AS SELECT * FROM post") << schemaRefusal;
        QTest::newRow("virtual table")
            << QStringLiteral("CREATE VIRTUAL TABLE words USING fts4(x)") << schemaRefusal;
        QTest::newRow("temporary view")
            << QStringLiteral("CREATE TEMP VIEW lines AS SELECT * FROM Vakansii") << schemaRefusal;
        QTest::newRow("index") << QStringLiteral("CREATE INDEX post_name ON post (post)") << schemaRefusal;
        QTest::newRow("temporary trigger")
            << QStringLiteral("CREATE TEMP TRIGGER t AFTER INSERT ON post BEGIN SELECT 1; END")
            << schemaRefusal;
        QTest::newRow("drop an index") << QStringLiteral("DROP INDEX Vakansii_id_kafedra") << schemaRefusal;
        QTest::newRow("drop a log trigger") << QStringLiteral("DROP TRIGGER zeb_log_stamp") << schemaRefusal;
        QTest::newRow("add a column")
            << QStringLiteral("ALTER TABLE post ADD COLUMN x TEXT") << schemaRefusal;
        QTest::newRow("rename the log")
            << QStringLiteral("ALTER TABLE ZEB_LOG RENAME TO old_log") << schemaRefusal;
        QTest::newRow("drop the log") << QStringLiteral("DROP TABLE ZEB_LOG") << schemaRefusal;
        QTest::newRow("analyze") << QStringLiteral("ANALYZE") << schemaRefusal;
        QTest::newRow("attach") << QStringLiteral("ATTACH DATABASE 'other.db' AS other") << attach;
        QTest::newRow("pragma") << QStringLiteral("PRAGMA writable_schema = ON") << pragma;
        QTest::newRow("pragma function")
            << QStringLiteral("SELECT name FROM pragma_table_info('zeb_users')")
            << QStringLiteral("Нет доступа к таблице ") + internals.arg(QStringLiteral("pragma_table_info"));
        QTest::newRow("dbstat") << QStringLiteral("SELECT name, pgsize FROM dbstat")
                                << QStringLiteral("Нет доступа к таблице ") +
                                       internals.arg(QStringLiteral("dbstat"));
        QTest::newRow("tokenizer pointer")
            << QStringLiteral("SELECT fts3_tokenizer('simple')")
            << QStringLiteral("Нет доступа к функции ") + internals.arg(QStringLiteral("fts3_tokenizer"));
        QTest::newRow("extension") << QStringLiteral("SELECT load_extension('/tmp/x.so')")
                                   << QStringLiteral("Нет доступа к функции ") +
                                          internals.arg(QStringLiteral("load_extension"));
        QTest::newRow("key counter")
            << QStringLiteral("UPDATE sqlite_sequence SET seq = 9223372036854775807 WHERE name = 'ZEB_LOG'")
            << QStringLiteral(
                   "Нет доступа к таблице «sqlite_sequence»: ключи новых строк назначает база данных.");
    }

    void schemaStaysTheInstallations()
    {
        QFETCH(QString, sql);
        QFETCH(QString, message);
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        const QString before = signInState();
        QCOMPARE(messageOf([&] { kadry->run(sql); }), message);
        QCOMPARE(signInState(), before);
        QCOMPARE(messageOf([&] { copyDepartment(*kadry); }), QString());
    }

    // A temporary table renamed to a sign-in table's name would come first in GET_USER's own statements;
    // the client cannot make one.
    void getUserReadsOnlyTheFilesTables()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        QCOMPARE(messageOf([&] {
                     kadry->run(
                         QStringLiteral("CREATE TEMP TABLE fake AS SELECT 'boss' AS login, ? AS pass_digest"),
                         {getuseroracle::digest(QStringLiteral("known"))});
                 }),
                 schemaRefusal);
        const StatementResult answer = getUser(*kadry, QStringLiteral("boss"), QStringLiteral("known"));
        QVERIFY(answer.rows->next());
        QCOMPARE(answer.rows->toText(4), QStringLiteral("Неверное имя пользователя или пароль."));
    }

    void procedureRunsWithItsOwnRights()
    {
        const std::unique_ptr<SqliteEngine> kadry = personClient();
        copyDepartment(*kadry);
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
