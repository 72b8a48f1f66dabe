#include "server/AccountRepair.h"
#include "data/DatabaseError.h"
#include "tests/support/EngineMessage.h"
#include "tests/support/EngineRows.h"
#include "server/SqliteSchemaRepair.h"
#include "tests/support/TestInstallation.h"

#include <QDateTime>
#include <QTest>
#include <map>

using namespace zeb;

namespace {

const QString logStatement = QStringLiteral(
    "INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp]) VALUES('kafedra', %1, "
    "'%2' , 'kadry', 'КАДРЫ-1\\10.0.0.5')");

QString removalText(qint64 id)
{
    return QStringLiteral("Запись с уникальным номером - %1 была удалена.(id_kafedra = [%1])").arg(id);
}

qint64 scalar(Engine& engine, const QString& sql)
{
    return firstValue(engine, sql).toLongLong();
}

} // namespace

// The audit log on every installable engine: keys, logins and times come from the database, rows stay as
// written, and a department removal is logged however it is made.
class AuditLogTest : public QObject
{
    Q_OBJECT

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;

    TestInstallation& installation(EngineKind engine) { return *m_installations.at(engine); }

    static qint64 newDepartment(TestInstallation& installation)
    {
        const std::unique_ptr<Engine> admin = installation.adminEngine();
        admin->run(QStringLiteral("INSERT INTO kafedra (f1) VALUES ('Кафедра на удаление')"));
        return scalar(*admin, QStringLiteral("SELECT max(id_kafedra) FROM kafedra"));
    }

    static void copyDepartment(Connection& client)
    {
        client.run(QStringLiteral("EXEC CopyKafedraOnKafedra @id_kafedraFrom = 1, @id_kafedraTo = 2, "
                                  "@zeb_user = 'kadry', @ip = 'КАДРЫ-1\\10.0.0.5'"));
    }

private Q_SLOTS:
    void initTestCase()
    {
        for (const auto& [name, engine] : installableEngines)
            QVERIFY_THROWS_NO_EXCEPTION(m_installations[engine] = std::make_unique<TestInstallation>(engine));
        for (auto& [engine, installation] : m_installations) {
            const std::unique_ptr<Engine> admin = installation->adminEngine();
            admin->run(QStringLiteral("INSERT INTO kafedra (f1) VALUES ('Физики'), ('Химии')"));
        }
    }

    void stampsComeFromTheDatabase_data() { addEngineRows(); }
    void stampsComeFromTheDatabase()
    {
        QFETCH(EngineKind, engine);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Connection> client = target.signedInConnection();
        client->run(QStringLiteral("INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp], "
                                   "[logged], [db_login]) VALUES('kafedra', 1, 'Задним числом', 'admin', "
                                   "'ДРУГОЙ\\10.0.0.9', '2001-01-01', 'admin')"));
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const QString row = QStringLiteral(" FROM zeb_log WHERE descr = 'Задним числом'");
        QCOMPARE(firstValue(*admin, QStringLiteral("SELECT db_login") + row).toString(),
                 target.workAccount().user);
        QVERIFY(firstValue(*admin, QStringLiteral("SELECT logged") + row).toDateTime().date().year() > 2001);
    }

    void clientKeysBlockNobody_data() { addEngineRows(); }
    void clientKeysBlockNobody()
    {
        QFETCH(EngineKind, engine);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Connection> client = target.signedInConnection();
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 last =
            scalar(*admin, QStringLiteral("SELECT coalesce(max(id_zeb_log), 0) FROM zeb_log"));
        // The keys the next rows would take, and the largest key there is.
        for (const qint64 key : {last + 1, last + 2, last + 3, qint64(2147483647)})
            messageOf([&] {
                client->run(QStringLiteral("INSERT INTO ZEB_LOG([id_zeb_log], [table], [descr]) VALUES(%1, "
                                           "'kafedra', 'Чужой номер')")
                                .arg(key));
            });
        QCOMPARE(messageOf([&] { client->run(logStatement.arg(1).arg(QStringLiteral("Своя строка"))); }),
                 QString());
        QCOMPARE(messageOf([&] { copyDepartment(*client); }), QString());
        QVERIFY(scalar(*admin, QStringLiteral("SELECT max(id_zeb_log) FROM zeb_log")) < last + 100);
    }

    void rowsStayAsWritten_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("statement");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s: backdate", name)
                << engine << QStringLiteral("UPDATE ZEB_LOG SET logged = '2001-01-01'");
            QTest::addRow("%s: rename", name)
                << engine << QStringLiteral("UPDATE ZEB_LOG SET ZEB_User = 'admin'");
            QTest::addRow("%s: delete", name) << engine << QStringLiteral("DELETE FROM ZEB_LOG");
        }
    }
    void rowsStayAsWritten()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, statement);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Connection> client = target.signedInConnection();
        client->run(logStatement.arg(1).arg(QStringLiteral("Останется")));
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const QString state =
            QStringLiteral("SELECT count(*) FROM zeb_log WHERE zeb_user = 'kadry' AND logged > '2001-01-02'");
        const qint64 before = scalar(*admin, state);
        QVERIFY(!messageOf([&] { client->run(statement); }).isEmpty());
        QCOMPARE(scalar(*admin, state), before);
    }

    // The removal's own row stands alone when the client's statement never comes, and the client's row
    // completes it when it does.
    void removalIsLoggedOnce_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<bool>("clientRow");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s: client's row skipped", name) << engine << false;
            QTest::addRow("%s: client's row written", name) << engine << true;
        }
    }
    void removalIsLoggedOnce()
    {
        QFETCH(EngineKind, engine);
        QFETCH(bool, clientRow);
        TestInstallation& target = installation(engine);
        const qint64 id = newDepartment(target);
        const std::unique_ptr<Connection> client = target.signedInConnection();
        client->run(QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =%1").arg(id));
        if (clientRow)
            client->run(logStatement.arg(id).arg(removalText(id)));

        const std::unique_ptr<Engine> admin = target.adminEngine();
        const QString rows =
            QStringLiteral(" FROM zeb_log WHERE \"table\" = 'kafedra' AND row_id = %1").arg(id);
        QCOMPARE(scalar(*admin, QStringLiteral("SELECT count(*)") + rows), qint64(1));
        QCOMPARE(firstValue(*admin, QStringLiteral("SELECT descr") + rows).toString(), removalText(id));
        QCOMPARE(firstValue(*admin, QStringLiteral("SELECT db_login") + rows).toString(),
                 target.workAccount().user);
        const QVariant computer = firstValue(*admin, QStringLiteral("SELECT comp") + rows);
        QCOMPARE(computer.isNull(), !clientRow);
        if (clientRow)
            QCOMPARE(computer.toString(), QStringLiteral("КАДРЫ-1\\10.0.0.5"));
    }

    // An installation made before the log kept itself, then attacked: a client took the log's next keys
    // and, on the embedded engine, left a full-text table over the users with a trigger on the log.
    void repairClearsAnAttack_data() { addEngineRows(); }
    void repairClearsAnAttack()
    {
        QFETCH(EngineKind, engine);
        TestInstallation attacked(engine);
        const std::unique_ptr<Engine> admin = attacked.adminEngine();
        admin->run(QStringLiteral("INSERT INTO kafedra (f1) VALUES ('Физики'), ('Химии')"));
        if (engine == EngineKind::Sqlite) {
            admin->runScript(QStringLiteral(
                "DROP TRIGGER zeb_log_server_id; DROP TRIGGER zeb_log_stamp; DROP TRIGGER "
                "kafedra_removal_log;"
                "CREATE VIRTUAL TABLE stolen_index USING fts5(login, pass_digest, content='zeb_users');"
                "CREATE TABLE stolen (login TEXT, pass_digest TEXT);"
                "CREATE TRIGGER steal AFTER INSERT ON ZEB_LOG BEGIN INSERT INTO stolen SELECT login, "
                "pass_digest FROM stolen_index; END;"
                "INSERT INTO ZEB_LOG (id_zeb_log, descr) VALUES (9223372036854775807, 'Последний ключ');"
                "UPDATE sqlite_sequence SET seq = 9223372036854775807 WHERE name = 'Vakansii';"));
        } else {
            admin->runScript(QStringLiteral("DROP TRIGGER zeb_log_stamp ON dbo.zeb_log;"
                                            "DROP TRIGGER kafedra_removal_log ON dbo.kafedra;"));
            const std::unique_ptr<Connection> client = attacked.signedInConnection();
            for (const qint64 key : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 12, 2147483647})
                client->run(QStringLiteral("INSERT INTO ZEB_LOG([id_zeb_log], [descr]) VALUES(%1, 'Занято')")
                                .arg(key));
            QVERIFY(!messageOf([&] { copyDepartment(*client); }).isEmpty());
        }

        if (engine == EngineKind::Sqlite) {
            const QStringList changes = repairSqliteSchema(*admin);
            for (const QString& name : {QStringLiteral("«stolen_index»"), QStringLiteral("«stolen»"),
                                        QStringLiteral("«steal»"), QStringLiteral("«zeb_log_stamp»")})
                QVERIFY2(changes.join(u'\n').contains(name), qPrintable(changes.join(u'\n')));
            QCOMPARE(repairSqliteSchema(*admin), QStringList());
        } else {
            const TestPgServer server = TestPgServer::fromEnvironment();
            repairAccounts(attacked.directory(), ServerAccount{server.adminUser, server.adminPassword});
        }

        const std::unique_ptr<Connection> client = attacked.signedInConnection();
        client->run(QStringLiteral("INSERT INTO Vakansii (id_kafedra, id_post) VALUES (1, 1)"));
        for (int copy = 0; copy < 3; ++copy)
            QCOMPARE(messageOf([&] { copyDepartment(*client); }), QString());
        client->run(QStringLiteral("DELETE FROM Vakansii"));
        client->run(QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =1"));
        const std::unique_ptr<Engine> checked = attacked.adminEngine();
        QCOMPARE(scalar(*checked,
                        QStringLiteral("SELECT count(*) FROM zeb_log WHERE row_id = 1 AND db_login = '%1'")
                            .arg(attacked.workAccount().user)),
                 qint64(1));
    }
};

QTEST_GUILESS_MAIN(AuditLogTest)
#include "tst_auditlog.moc"
