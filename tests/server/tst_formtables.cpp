#include "data/Dialect.h"
#include "server/AccountRepair.h"
#include "server/SqliteSchemaRepair.h"
#include "tests/support/EngineMessage.h"
#include "tests/support/TestInstallation.h"

#include <QDate>
#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(EngineKind)

namespace {

QString table(Engine& engine, const QString& name)
{
    return engine.dialect().clientTable(name);
}

QString marker(Engine& engine, int index)
{
    return engine.dialect().placeholder(index);
}

void addSalary(Engine& engine, int grade, const QDate& from, const QString& amount)
{
    engine.run(QStringLiteral("INSERT INTO %1 (razrad, date_from, oklad) VALUES (%2, %3, %4)")
                   .arg(table(engine, QStringLiteral("Oklad")), marker(engine, 0), marker(engine, 1),
                        marker(engine, 2)),
               {grade, from, amount});
}

qint64 countOf(Engine& engine, const QString& name)
{
    return firstValue(engine, QStringLiteral("SELECT count(*) FROM ") + table(engine, name)).toLongLong();
}

} // namespace

// The salary scale, the form's requisites and the units' own codes: made by the installation and by the
// repair of an older one, worked by every signed-in person, the requisites row only changed.
class FormTablesTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void engines_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::newRow("sqlite") << EngineKind::Sqlite;
        QTest::newRow("postgres") << EngineKind::Postgres;
    }

    void personWorksTheTables_data() { engines_data(); }
    void personWorksTheTables()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        const std::unique_ptr<Connection> person = installation->signedInConnection();
        Engine& session = person->engine();

        QCOMPARE(countOf(session, QStringLiteral("Rekvizity")), 1);
        QVERIFY(
            firstValue(session,
                       QStringLiteral("SELECT okpo FROM %1").arg(table(session, QStringLiteral("Rekvizity"))))
                .isNull());
        session.run(
            QStringLiteral("UPDATE %1 SET okpo = %2, buh_name = %3")
                .arg(table(session, QStringLiteral("Rekvizity")), marker(session, 0), marker(session, 1)),
            {QStringLiteral("02068574"), QStringLiteral("Петрова Н. В.")});
        QCOMPARE(firstValue(session, QStringLiteral("SELECT buh_name FROM %1")
                                         .arg(table(session, QStringLiteral("Rekvizity"))))
                     .toString(),
                 QStringLiteral("Петрова Н. В."));
        QVERIFY(!messageOf([&] {
                     session.run(
                         QStringLiteral("DELETE FROM %1").arg(table(session, QStringLiteral("Rekvizity"))));
                 }).isEmpty());
        QVERIFY(!messageOf([&] {
                     session.run(QStringLiteral("INSERT INTO %1 (id_rekvizity) VALUES (1)")
                                     .arg(table(session, QStringLiteral("Rekvizity"))));
                 }).isEmpty());
        QCOMPARE(countOf(session, QStringLiteral("Rekvizity")), 1);

        addSalary(session, 5, QDate(2024, 1, 1), QStringLiteral("12345.67"));
        addSalary(session, 5, QDate(2025, 1, 1), QStringLiteral("13000"));
        QVERIFY(
            !messageOf([&] { addSalary(session, 5, QDate(2025, 1, 1), QStringLiteral("14000")); }).isEmpty());
        QVERIFY(
            !messageOf([&] { addSalary(session, 6, QDate(2025, 1, 1), QStringLiteral("-1")); }).isEmpty());
        QCOMPARE(countOf(session, QStringLiteral("Oklad")), 2);
        session.run(QStringLiteral("DELETE FROM %1 WHERE date_from = %2")
                        .arg(table(session, QStringLiteral("Oklad")), marker(session, 0)),
                    {QDate(2025, 1, 1)});
        QCOMPARE(countOf(session, QStringLiteral("Oklad")), 1);

        session.run(QStringLiteral("INSERT INTO %1 (kind, id_unit, code) VALUES ('K', 3, %2)")
                        .arg(table(session, QStringLiteral("Kod_podrazd")), marker(session, 0)),
                    {QStringLiteral("04.2")});
        QVERIFY(!messageOf([&] {
                     session.run(QStringLiteral("INSERT INTO %1 (kind, id_unit, code) VALUES ('X', 3, 'a')")
                                     .arg(table(session, QStringLiteral("Kod_podrazd"))));
                 }).isEmpty());
        QCOMPARE(countOf(session, QStringLiteral("Kod_podrazd")), 1);
    }

    void repairAddsTheTables_data() { engines_data(); }
    void repairAddsTheTables()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> older;
        QVERIFY_THROWS_NO_EXCEPTION(older = std::make_unique<TestInstallation>(engine));
        {
            const std::unique_ptr<Engine> admin = older->adminEngine();
            for (const char* name : {"Oklad", "Rekvizity", "Kod_podrazd"})
                admin->run(QStringLiteral("DROP TABLE ") + table(*admin, QString::fromLatin1(name)));
        }
        if (engine == EngineKind::Sqlite) {
            const QStringList changes = repairSqliteSchema(*older->adminEngine());
            QVERIFY(changes.contains(QStringLiteral("Создан недостававший объект: таблица «Oklad».")));
        } else {
            const TestPgServer server = TestPgServer::fromEnvironment();
            QCOMPARE(
                repairAccounts(older->directory(), ServerAccount{server.adminUser, server.adminPassword}),
                AccountRepairResult::Repaired);
        }
        const std::unique_ptr<Connection> person = older->signedInConnection();
        Engine& session = person->engine();
        QCOMPARE(countOf(session, QStringLiteral("Rekvizity")), 1);
        addSalary(session, 7, QDate(2024, 9, 1), QStringLiteral("30000.50"));
        session.run(QStringLiteral("INSERT INTO %1 (kind, id_unit, code) VALUES ('O', 1, '01')")
                        .arg(table(session, QStringLiteral("Kod_podrazd"))));
        QCOMPARE(countOf(session, QStringLiteral("Oklad")), 1);
    }
};

QTEST_GUILESS_MAIN(FormTablesTest)
#include "tst_formtables.moc"
