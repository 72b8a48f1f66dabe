#include "data/DatabaseError.h"
#include "server/AccountRepair.h"
#include "server/SqliteSchemaRepair.h"
#include "tests/support/EngineMessage.h"
#include "tests/support/EngineRows.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <map>

using namespace zeb;

namespace {

// The login the administrator's engine works under: the embedded engine names its own.
QString adminLogin(EngineKind engine)
{
    return engine == EngineKind::Sqlite ? QStringLiteral("(администратор)")
                                        : TestPgServer::fromEnvironment().adminUser;
}

qint64 newLine(Engine& admin)
{
    admin.run(
        QStringLiteral("INSERT INTO Vakansii (id_kafedra, id_post, q_units, id_enter, e_n_p, id_deduce, "
                       "ZEB_User) VALUES (1, 1, 1, 1, '7-к', 1, 'admin')"));
    return firstValue(admin, QStringLiteral("SELECT max(id_vakansiya) FROM Vakansii")).toLongLong();
}

// The newest history row of the line: its kind, login, the ZEB_User it carries and one column before and
// after, joined by "|" ("null" for NULL).
QString newestChange(Engine& admin, qint64 line, const QString& column)
{
    const StatementResult result = admin.run(
        QStringLiteral("SELECT change_kind, db_login, zeb_user, old_%1, new_%1 FROM vakansii_history "
                       "WHERE id_vakansiya = %2 ORDER BY id_history DESC")
            .arg(column)
            .arg(line));
    if (!result.rows->next())
        return QStringLiteral("no row");
    QStringList values;
    for (int i = 0; i < 5; ++i)
        values.append(result.rows->isNull(i) ? QStringLiteral("null") : result.rows->value(i).toString());
    return values.join(u'|');
}

qint64 historyRows(Engine& admin)
{
    return firstValue(admin, QStringLiteral("SELECT count(*) FROM vakansii_history")).toLongLong();
}

} // namespace

// The history of the schedule lines on every installable engine: the database writes a row for every
// change, whoever makes it and however, with the session's real login; the people only read it.
class LineHistoryTest : public QObject
{
    Q_OBJECT

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;

    TestInstallation& installation(EngineKind engine) { return *m_installations.at(engine); }

private Q_SLOTS:
    void initTestCase()
    {
        for (const auto& [name, engine] : installableEngines)
            QVERIFY_THROWS_NO_EXCEPTION(m_installations[engine] = std::make_unique<TestInstallation>(engine));
        for (auto& [engine, installation] : m_installations) {
            const std::unique_ptr<Engine> admin = installation->adminEngine();
            admin->run(QStringLiteral("INSERT INTO kafedra (f1) VALUES ('Физики')"));
            admin->run(QStringLiteral("INSERT INTO post (post) VALUES ('Доцент')"));
        }
    }

    void clientChangesLeaveTheirRow_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("column");
        QTest::addColumn<QString>("expected");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s: edit", name)
                << engine
                << QStringLiteral(
                       "UPDATE Vakansii SET q_units = 1.5, ZEB_User = 'kadry' WHERE id_vakansiya = %1")
                << QStringLiteral("q_units") << QStringLiteral("U|%1|kadry|1|1.5");
            QTest::addRow("%s: withdrawal", name)
                << engine
                << QStringLiteral("UPDATE Vakansii SET id_deduce = 2, d_n_p = '12-к', d_d_p = '01.02.2024', "
                                  "ZEB_User = 'kadry' WHERE id_vakansiya = %1")
                << QStringLiteral("d_n_p") << QStringLiteral("U|%1|kadry|null|12-к");
            QTest::addRow("%s: delete", name)
                << engine << QStringLiteral("DELETE FROM Vakansii WHERE id_vakansiya = %1")
                << QStringLiteral("e_n_p") << QStringLiteral("D|%1|admin|7-к|null");
        }
    }
    void clientChangesLeaveTheirRow()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, statement);
        QFETCH(QString, column);
        QFETCH(QString, expected);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 line = newLine(*admin);
        const std::unique_ptr<Connection> client = target.signedInConnection();
        client->run(statement.arg(line));
        QCOMPARE(newestChange(*admin, line, column), expected.arg(target.workAccount().user));
    }

    void withdrawalKeepsEveryChangedColumn_data() { addEngineRows(); }
    void withdrawalKeepsEveryChangedColumn()
    {
        QFETCH(EngineKind, engine);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 line = newLine(*admin);
        target.signedInConnection()->run(
            QStringLiteral("UPDATE Vakansii SET id_deduce = 2, d_d_p = '01.02.2024' WHERE id_vakansiya = %1")
                .arg(line));
        QCOMPARE(newestChange(*admin, line, QStringLiteral("id_deduce")).section(u'|', 3),
                 QStringLiteral("1|2"));
        const QVariant withdrawn = firstValue(
            *admin,
            QStringLiteral(
                "SELECT new_d_d_p FROM vakansii_history WHERE id_vakansiya = %1 AND change_kind = 'U' "
                "AND old_d_d_p IS NULL")
                .arg(line));
        QCOMPARE(withdrawn.toDate(), QDate(2024, 2, 1));
    }

    // A line written past the program, by the administrator's own SQL, is kept under that login.
    void lineWrittenStraightBySqlIsKept_data() { addEngineRows(); }
    void lineWrittenStraightBySqlIsKept()
    {
        QFETCH(EngineKind, engine);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 line = newLine(*admin);
        QCOMPARE(newestChange(*admin, line, QStringLiteral("q_units")),
                 QStringLiteral("I|%1|admin|null|1").arg(adminLogin(engine)));
        admin->run(QStringLiteral("UPDATE Vakansii SET q_units = 3 WHERE id_vakansiya = %1").arg(line));
        QCOMPARE(newestChange(*admin, line, QStringLiteral("q_units")),
                 QStringLiteral("U|%1|admin|1|3").arg(adminLogin(engine)));
    }

    // The embedded engine's own way to overwrite a row deletes it first: that deletion is kept too.
    void replacedLineKeepsItsDeletion()
    {
        TestInstallation& target = installation(EngineKind::Sqlite);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 line = newLine(*admin);
        target.signedInConnection()->run(
            QStringLiteral(
                "INSERT OR REPLACE INTO Vakansii (id_vakansiya, id_post, q_units) VALUES (%1, 1, 4)")
                .arg(line));
        const StatementResult result = admin->run(
            QStringLiteral(
                "SELECT change_kind, old_q_units, new_q_units FROM vakansii_history WHERE id_vakansiya "
                "= %1 ORDER BY id_history")
                .arg(line));
        QStringList changes;
        while (result.rows->next())
            changes.append(result.rows->toText(0) + u' ' + result.rows->value(1).toString() + u' ' +
                           result.rows->value(2).toString());
        QCOMPARE(changes,
                 QStringList({QStringLiteral("I  1"), QStringLiteral("D 1 "), QStringLiteral("I  4")}));
    }

    // The stamps say who saved, not what changed, and the number is renumbered by the program: a save that
    // changes nothing else leaves no row.
    void stampsAloneLeaveNoRow_data() { addEngineRows(); }
    void stampsAloneLeaveNoRow()
    {
        QFETCH(EngineKind, engine);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        const qint64 line = newLine(*admin);
        const qint64 before = historyRows(*admin);
        target.signedInConnection()->run(
            QStringLiteral(
                "UPDATE Vakansii SET ZEB_User = 'kadry', ZEB_Update = '05.03.2024', q_units = 1, Num = 7 "
                "WHERE id_vakansiya = %1")
                .arg(line));
        QCOMPARE(historyRows(*admin), before);
    }

    void peopleOnlyReadIt_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("statement");
        for (const auto& [name, engine] : installableEngines) {
            QTest::addRow("%s: insert", name)
                << engine
                << QStringLiteral(
                       "INSERT INTO Vakansii_history (id_vakansiya, change_kind, changed, db_login) "
                       "VALUES (1, 'D', '01.01.2001', 'admin')");
            QTest::addRow("%s: change", name)
                << engine
                << QStringLiteral("UPDATE Vakansii_history SET db_login = 'admin', new_q_units = 9");
            QTest::addRow("%s: delete", name) << engine << QStringLiteral("DELETE FROM Vakansii_history");
        }
    }
    void peopleOnlyReadIt()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, statement);
        TestInstallation& target = installation(engine);
        const std::unique_ptr<Engine> admin = target.adminEngine();
        newLine(*admin);
        const QString state =
            QStringLiteral("SELECT count(*) FROM vakansii_history WHERE db_login <> 'admin' "
                           "AND (new_q_units IS NULL OR new_q_units <> 9)");
        const qint64 before = firstValue(*admin, state).toLongLong();
        const std::unique_ptr<Connection> client = target.signedInConnection();
        QVERIFY(!messageOf([&] { client->run(statement); }).isEmpty());
        QCOMPARE(firstValue(*admin, state).toLongLong(), before);
        QCOMPARE(messageOf([&] { client->run(QStringLiteral("SELECT count(*) FROM Vakansii_history")); }),
                 QString());
    }

    // An installation made before the history was kept gets it from the repair.
    void repairAddsTheHistory_data() { addEngineRows(); }
    void repairAddsTheHistory()
    {
        QFETCH(EngineKind, engine);
        TestInstallation older(engine);
        const std::unique_ptr<Engine> admin = older.adminEngine();
        if (engine == EngineKind::Sqlite) {
            admin->runScript(QStringLiteral("DROP TRIGGER vakansii_history_insert; DROP TRIGGER "
                                            "vakansii_history_update; DROP TRIGGER vakansii_history_delete; "
                                            "DROP TABLE Vakansii_history;"));
            QVERIFY(
                repairSqliteSchema(*admin).join(u'\n').contains(QStringLiteral("«vakansii_history_update»")));
        } else {
            admin->runScript(QStringLiteral("DROP TABLE dbo.vakansii_history; DROP FUNCTION "
                                            "dbo.vakansii_history_write() CASCADE;"));
            const TestPgServer server = TestPgServer::fromEnvironment();
            repairAccounts(older.directory(), ServerAccount{server.adminUser, server.adminPassword});
        }
        admin->run(QStringLiteral("INSERT INTO post (post) VALUES ('Доцент')"));
        admin->run(QStringLiteral("INSERT INTO Vakansii (id_post, q_units) VALUES (1, 1)"));
        const std::unique_ptr<Connection> client = older.signedInConnection();
        client->run(QStringLiteral("UPDATE Vakansii SET q_units = 2"));
        const std::unique_ptr<ResultCursor> rows = client->query(
            QStringLiteral("SELECT change_kind, db_login FROM Vakansii_history ORDER BY id_history"));
        QStringList changes;
        while (rows->next())
            changes.append(rows->toText(0) + u' ' + rows->toText(1));
        QCOMPARE(changes, QStringList({QStringLiteral("I ") + adminLogin(engine),
                                       QStringLiteral("U ") + older.workAccount().user}));
    }
};

QTEST_GUILESS_MAIN(LineHistoryTest)
#include "tst_linehistory.moc"
