#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/Engine.h"
#include "data/pg/PgEngine.h"
#include "data/sqlite/SqliteEngine.h"
#include "signin/ConnectionString.h"
#include "tests/support/PrivateCluster.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <QDir>
#include <QFile>
#include <QScopeGuard>
#include <QTest>
#include <functional>
#include <optional>
#include <unistd.h>

using namespace zeb;

Q_DECLARE_METATYPE(zeb::DatabaseFault)

namespace {

const QString engineWords = QStringLiteral("\n\nСообщение базы данных: ");

// The refusal a statement meets; nothing when it was accepted.
std::optional<DatabaseError> refusalOf(const std::function<void()>& statement)
{
    try {
        statement();
    } catch (const DatabaseError& error) {
        return error;
    }
    return std::nullopt;
}

QString serverOf(const TestInstallation& installation)
{
    return installation.settings().dataSource.mid(3);
}

QString databaseFile(const TestInstallation& installation)
{
    return QDir(installation.dataDirectory())
        .absoluteFilePath(installation.settings().dataSource.section(u':', 1));
}

// Every row count and key sum a refused statement could have changed.
QString contents(Connection& connection)
{
    QStringList values;
    for (const char* statement : {"select count(*) AS n from Kafedra", "select count(*) AS n from post",
                                  "select sum(id_post) AS n from Vakansii"})
        values << columnValues(connection, QString::fromLatin1(statement), QStringLiteral("n"));
    return values.join(QLatin1Char(','));
}

} // namespace

// What the engines refuse, on the real SQLite file and the real PostgreSQL server, reaches the user in
// Russian, naming what is involved, with the engine's own words after it.
class TestDatabaseFaults : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void refusalsAreExplained_data();
    void refusalsAreExplained();
    void fullDiskIsNamed();
    void readOnlyFileIsNamed();
    void readOnlySessionIsNamed();
    void endedSessionIsExplained();
    void stoppedServerIsExplained();
    void shuttingDownServerIsExplained();
};

void TestDatabaseFaults::refusalsAreExplained_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<DatabaseFault>("fault");
    QTest::addColumn<QString>("explanation");
    QTest::addColumn<QString>("engineText");

    const QString referencedDepartment = QStringLiteral("Delete From Kafedra Where id_kafedra = 1");
    const QString duplicatePost = QStringLiteral("insert into post (id_post, post) values (1, 'Дубль')");
    const QString unknownPost = QStringLiteral("update Vakansii set id_post = 999 where id_vakansiya = 1");

    QTest::newRow("sqlite: referenced department")
        << EngineKind::Sqlite << referencedDepartment << DatabaseFault::StillReferenced
        << QStringLiteral("Запись нельзя удалить: на неё ссылаются записи другой таблицы.")
        << QStringLiteral("FOREIGN KEY constraint failed");
    QTest::newRow("pg: referenced department")
        << EngineKind::Postgres << referencedDepartment << DatabaseFault::StillReferenced
        << QStringLiteral("Запись нельзя удалить: на неё ссылаются записи таблицы «vakansii» (ограничение "
                          "«vakansii_id_kafedra_fkey»).")
        << QStringLiteral("update or delete on table \"kafedra\" violates foreign key constraint "
                          "\"vakansii_id_kafedra_fkey\" on table \"vakansii\"\n"
                          "Key (id_kafedra)=(1) is still referenced from table \"vakansii\".");
    QTest::newRow("sqlite: duplicate key")
        << EngineKind::Sqlite << duplicatePost << DatabaseFault::DuplicateKey
        << QStringLiteral("Изменение не сохранено: такое значение уже есть, а повторяться оно не может.")
        << QStringLiteral("UNIQUE constraint failed: post.id_post");
    QTest::newRow("pg: duplicate key")
        << EngineKind::Postgres << duplicatePost << DatabaseFault::DuplicateKey
        << QStringLiteral("Изменение не сохранено: такое значение уже есть, а повторяться оно не может "
                          "(таблица «post», ограничение «post_pkey»).")
        << QStringLiteral("duplicate key value violates unique constraint \"post_pkey\"\n"
                          "Key (id_post)=(1) already exists.");
    const QString duplicateSalary = QStringLiteral(
        "insert into Oklad (razrad, date_from, oklad) values (5, '2024-01-01', 100), (5, '2024-01-01', 200)");
    const QString negativeSalary =
        QStringLiteral("insert into Oklad (razrad, date_from, oklad) values (5, '2024-01-01', -0.01)");
    QTest::newRow("sqlite: salary of a grade and date twice")
        << EngineKind::Sqlite << duplicateSalary << DatabaseFault::DuplicateKey
        << QStringLiteral("Изменение не сохранено: оклад этого разряда с этой даты уже записан. Исправьте ту "
                          "запись или укажите другую дату (ограничение «oklad_razrad_date_from_key»).")
        << QStringLiteral("UNIQUE constraint failed: index 'oklad_razrad_date_from_key'");
    QTest::newRow("pg: salary of a grade and date twice")
        << EngineKind::Postgres << duplicateSalary << DatabaseFault::DuplicateKey
        << QStringLiteral("Изменение не сохранено: оклад этого разряда с этой даты уже записан. Исправьте ту "
                          "запись или укажите другую дату (таблица «oklad», ограничение "
                          "«oklad_razrad_date_from_key»).")
        << QStringLiteral("duplicate key value violates unique constraint \"oklad_razrad_date_from_key\"\n"
                          "Key (razrad, date_from)=(5, 2024-01-01) already exists.");
    QTest::newRow("sqlite: negative salary")
        << EngineKind::Sqlite << negativeSalary << DatabaseFault::ConstraintViolated
        << QStringLiteral("Изменение не сохранено: оклад должен быть суммой в рублях не меньше нуля "
                          "(ограничение «oklad_oklad_check»).")
        << QStringLiteral("CHECK constraint failed: oklad_oklad_check");
    QTest::newRow("pg: negative salary")
        << EngineKind::Postgres << negativeSalary << DatabaseFault::ConstraintViolated
        << QStringLiteral("Изменение не сохранено: оклад должен быть суммой в рублях не меньше нуля "
                          "(таблица «oklad», ограничение «oklad_oklad_check»).")
        << QStringLiteral("new row for relation \"oklad\" violates check constraint \"oklad_oklad_check\"\n"
                          "Failing row contains (1, 5, 2024-01-01, -0.01).");
    QTest::newRow("sqlite: unknown post")
        << EngineKind::Sqlite << unknownPost << DatabaseFault::MissingReference
        << QStringLiteral("Изменение не сохранено: запись ссылается на запись, которой нет.")
        << QStringLiteral("FOREIGN KEY constraint failed");
    QTest::newRow("pg: unknown post")
        << EngineKind::Postgres << unknownPost << DatabaseFault::MissingReference
        << QStringLiteral("Изменение не сохранено: запись ссылается на запись, которой нет (таблица "
                          "«vakansii», ограничение «vakansii_id_post_fkey»).")
        << QStringLiteral("insert or update on table \"vakansii\" violates foreign key constraint "
                          "\"vakansii_id_post_fkey\"\n"
                          "Key (id_post)=(999) is not present in table \"post\".");
}

void TestDatabaseFaults::refusalsAreExplained()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, statement);
    QFETCH(DatabaseFault, fault);
    QFETCH(QString, explanation);
    QFETCH(QString, engineText);
    TestInstallation installation(engine);
    const std::unique_ptr<Connection> client = installation.signedInConnection();
    loadScheduleFixture(*client);
    const QString before = contents(*client);

    const std::optional<DatabaseError> error = refusalOf([&] { client->execute(statement); });

    QVERIFY(error);
    QCOMPARE(error->fault(), fault);
    QCOMPARE(error->explanation(), explanation);
    QCOMPARE(error->engineText(), engineText);
    QCOMPARE(error->message(), explanation + engineWords + engineText);
    QCOMPARE(contents(*client), before);
}

// SQLite's page limit of the connection stands for a disk that has no room left.
void TestDatabaseFaults::fullDiskIsNamed()
{
    TestInstallation installation(EngineKind::Sqlite);
    const std::unique_ptr<Engine> engine = installation.adminEngine();
    const QVariant pages = firstValue(*engine, QStringLiteral("PRAGMA page_count"));
    QCOMPARE(firstValue(*engine, QStringLiteral("PRAGMA max_page_count = %1").arg(pages.toLongLong())),
             pages);
    const QString file = QDir::toNativeSeparators(databaseFile(installation));

    const std::optional<DatabaseError> error = refusalOf([&] {
        engine->run(
            QStringLiteral("insert into post (post) select printf('%.2000c', 'x') from "
                           "(with recursive n(i) as (select 1 union all select i + 1 from n where i < "
                           "500) select i from n)"));
    });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::DiskFull);
    QCOMPARE(error->explanation(),
             QStringLiteral("Изменение не сохранено: на диске базы данных «%1» не осталось места. Сообщите "
                            "администратору: нужно освободить место на диске.")
                 .arg(file));
    QCOMPARE(error->engineText(), QStringLiteral("database or disk is full"));
    QCOMPARE(firstValue(*engine, QStringLiteral("select count(*) from post where length(post) = 2000")),
             QVariant(qint64(0)));
}

// A file the workstation may only read. The superuser writes any file, so the test reads it as nobody.
void TestDatabaseFaults::readOnlyFileIsNamed()
{
    TestInstallation installation(EngineKind::Sqlite);
    const QString path = databaseFile(installation);
    QVERIFY(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    for (const QString& folder : {installation.directory(), installation.dataDirectory()})
        QVERIFY(QFile::setPermissions(folder, QFile::permissions(folder) | QFile::ReadOther |
                                                  QFile::ExeOther | QFile::ExeGroup | QFile::ReadGroup));
    const uid_t owner = geteuid();
    if (owner == 0)
        QCOMPARE(seteuid(65534), 0);
    const auto restore = qScopeGuard([owner] {
        if (owner == 0)
            QCOMPARE(seteuid(0), 0);
    });

    SqliteEngine engine(path, SqliteRole::Administrator);
    engine.open();
    const std::optional<DatabaseError> error =
        refusalOf([&] { engine.run(QStringLiteral("update post set post = 'Изменено'")); });
    engine.close();

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::ReadOnly);
    QCOMPARE(error->explanation(),
             QStringLiteral("Изменение не сохранено: база данных «%1» открыта только для чтения. Сообщите "
                            "администратору.")
                 .arg(QDir::toNativeSeparators(path)));
    QCOMPARE(error->engineText(), QStringLiteral("attempt to write a readonly database"));
}

void TestDatabaseFaults::readOnlySessionIsNamed()
{
    TestInstallation installation(EngineKind::Postgres);
    const std::unique_ptr<Connection> client = installation.signedInConnection();
    client->engine().run(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION READ ONLY"));

    const std::optional<DatabaseError> error =
        refusalOf([&] { client->execute(QStringLiteral("update post set post = 'Изменено'")); });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::ReadOnly);
    QCOMPARE(error->explanation(),
             QStringLiteral("Изменение не сохранено: база данных «%1» открыта только для чтения. Сообщите "
                            "администратору.")
                 .arg(serverOf(installation)));
    QCOMPARE(error->engineText(), QStringLiteral("cannot execute UPDATE in a read-only transaction"));
}

// The administrator ends the session's backend inside a transaction, which no new session could continue:
// the next statement is told why, and the one after the rollback connects again.
void TestDatabaseFaults::endedSessionIsExplained()
{
    TestInstallation installation(EngineKind::Postgres);
    const std::unique_ptr<Connection> client = installation.signedInConnection();
    const QString pid =
        columnValues(*client, QStringLiteral("select pg_backend_pid() AS pid"), QStringLiteral("pid"));
    client->engine().beginTransaction();
    const std::unique_ptr<Engine> admin = installation.adminEngine();
    admin->run(QStringLiteral("select pg_terminate_backend(%1, 60000)").arg(pid));

    const std::optional<DatabaseError> error =
        refusalOf([&] { client->query(QStringLiteral("select count(*) AS n from post")); });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::SessionEnded);
    QCOMPARE(error->explanation(),
             QStringLiteral("Сервер базы данных «%1» завершил соединение по команде администратора или при "
                            "остановке. Подождите немного и повторите действие; если сервер не отвечает, "
                            "сообщите администратору.")
                 .arg(serverOf(installation)));
    QVERIFY2(error->engineText().startsWith(
                 QStringLiteral("FATAL:  terminating connection due to administrator command")),
             qPrintable(error->engineText()));
    QVERIFY(!client->isOpen());
    client->engine().rollback();
    QVERIFY(client->query(QStringLiteral("select count(*) AS n from post"))->next());
}

void TestDatabaseFaults::stoppedServerIsExplained()
{
    TestInstallation installation(EngineKind::Postgres);
    FirstConnectInfo settings = installation.settings();
    settings.dataSource = QStringLiteral("pg:127.0.0.1:1");
    Connection connection;
    connection.setConnectionString(buildConnectionString(settings));

    const std::optional<DatabaseError> error = refusalOf([&] { connection.open(); });

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::ServerUnreachable);
    QCOMPARE(
        error->explanation(),
        QStringLiteral("Сервер базы данных «127.0.0.1:1» недоступен: он не запущен или до него нет связи. "
                       "Подождите и повторите; если сервер так и не ответит, сообщите администратору."));
    QVERIFY2(error->engineText().contains(QStringLiteral("Connection refused")),
             qPrintable(error->engineText()));
}

// A server in a smart shutdown waits for its last session and takes no new one.
void TestDatabaseFaults::shuttingDownServerIsExplained()
{
    PrivateCluster cluster;
    QVERIFY_THROWS_NO_EXCEPTION(cluster.start());
    PgEngine holder(cluster.params());
    holder.open();
    cluster.beginShutdown();

    PgEngine latecomer(cluster.params());
    const std::optional<DatabaseError> error = refusalOf([&] { latecomer.open(); });
    holder.close();

    QVERIFY(error);
    QCOMPARE(error->fault(), DatabaseFault::ServerShuttingDown);
    QCOMPARE(
        error->explanation(),
        QStringLiteral("Сервер базы данных «127.0.0.1:%1» останавливается и не принимает соединения. "
                       "Подождите, пока его запустят снова, и повторите; если он не запустится, сообщите "
                       "администратору.")
            .arg(cluster.port()));
    QVERIFY2(error->engineText().contains(QStringLiteral("the database system is shutting down")),
             qPrintable(error->engineText()));
}

QTEST_MAIN(TestDatabaseFaults)
#include "tst_databasefaults.moc"
