#include "data/DatabaseError.h"
#include "tests/data/pg/PgScratchDatabase.h"
#include "pg/PgEngine.h"

#include <QTest>
#include <memory>

using namespace zeb;

class TestPgEngine : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void selectGivesRows();
    void statementWithoutRowsGivesNoCursor();
    void parameterRoundTrip_data();
    void parameterRoundTrip();
    void consecutiveTimestampsReadApart();
    void typedReaders_data();
    void typedReaders();
    void columnTypes_data();
    void columnTypes();
    void emptyResultKeepsColumns();
    void rowsAffected();
    void rowsBrokenOffRaiseWhereTheyStop_data();
    void rowsBrokenOffRaiseWhereTheyStop();
    void droppedCursorLeavesTheTransactionGoing();
    void cursorOutlivesLaterStatementsAndClose();
    void errorCarriesServerMessage_data();
    void errorCarriesServerMessage();
    void openFailsWithMessage_data();
    void openFailsWithMessage();
    void sessionSettings_data();
    void sessionSettings();
    void databaseDefaultsDoNotReachTheSession_data();
    void databaseDefaultsDoNotReachTheSession();
    void runScriptRunsEveryStatement();
    void rollbackDiscardsChanges();
    void lostConnectionClosesEngine();
    void preparedStatementsAreKept();

private:
    std::unique_ptr<ResultCursor> query(const QString& sql, const QVariantList& params = {});
    qint64 countRows(const QString& table);

    std::unique_ptr<PgScratchDatabase> m_database;
    std::unique_ptr<PgEngine> m_engine;
};

std::unique_ptr<ResultCursor> TestPgEngine::query(const QString& sql, const QVariantList& params)
{
    StatementResult result = m_engine->run(sql, params);
    if (!result.rows)
        throw Error(QStringLiteral("no rows from: ") + sql);
    return std::move(result.rows);
}

qint64 TestPgEngine::countRows(const QString& table)
{
    const auto rows = query(QStringLiteral("SELECT count(*) FROM ") + table);
    return rows->next() ? rows->toInt64(0) : -1;
}

void TestPgEngine::initTestCase()
{
    try {
        m_database = std::make_unique<PgScratchDatabase>();
        m_engine = std::make_unique<PgEngine>(m_database->params());
        m_engine->open();
        m_engine->runScript(QStringLiteral(
            "CREATE TABLE typed (i2 int2, i4 int4, i8 int8, f4 float4, f8 float8, num numeric(18,0),"
            " vc varchar(30), ch char(5), vcn varchar, tx text, nm name, d date, ts timestamp, tstz "
            "timestamptz,"
            " t time, b boolean, y bytea);"
            "CREATE TABLE unique_key (id int PRIMARY KEY);"
            "INSERT INTO unique_key VALUES (1);"));
    } catch (const Error& error) {
        QFAIL(error.what());
    }
}

void TestPgEngine::cleanupTestCase()
{
    m_engine.reset();
    m_database.reset();
}

void TestPgEngine::selectGivesRows()
{
    const auto rows =
        query(QStringLiteral("SELECT n, 'строка ' || n AS label FROM generate_series(1, 3) AS n"));
    QCOMPARE(rows->columns().size(), 2);
    QCOMPARE(rows->columns().at(1).name, QStringLiteral("label"));
    for (int n = 1; n <= 3; ++n) {
        QVERIFY(rows->next());
        QCOMPARE(rows->toInt64(0), n);
        QCOMPARE(rows->toText(1), QStringLiteral("строка %1").arg(n));
    }
    QVERIFY(!rows->next());
    QVERIFY(!rows->next());
    QVERIFY(rows->isNull(0));
}

void TestPgEngine::statementWithoutRowsGivesNoCursor()
{
    const StatementResult result = m_engine->run(QStringLiteral("CREATE TABLE no_rows (a int)"));
    QVERIFY(!result.rows);
    QCOMPARE(result.rowsAffected, 0);
}

void TestPgEngine::parameterRoundTrip_data()
{
    QTest::addColumn<QString>("columnType");
    QTest::addColumn<QVariant>("sent");
    QTest::addColumn<QVariant>("expected");

    const QDateTime withMs(QDate(2024, 3, 1), QTime(13, 45, 7, 123));
    const QString awkward = QStringLiteral("O'Brien \\ \"x\"; DROP TABLE typed; --");
    const QByteArray bytes("\x00\xff\\'\x7f", 5);

    QTest::newRow("null") << "integer" << QVariant() << QVariant();
    QTest::newRow("invalid date is null") << "date" << QVariant(QDate()) << QVariant();
    QTest::newRow("integer") << "integer" << QVariant(42) << QVariant(qint64(42));
    QTest::newRow("bigint beyond double")
        << "bigint" << QVariant(qint64(-9007199254740993)) << QVariant(qint64(-9007199254740993));
    QTest::newRow("float") << "double precision" << QVariant(0.1) << QVariant(0.1);
    QTest::newRow("numeric") << "numeric(18,2)" << QVariant(12345.67) << QVariant(12345.67);
    QTest::newRow("numeric from text") << "numeric(18,0)" << QVariant(QStringLiteral("7")) << QVariant(7.0);
    QTest::newRow("cyrillic") << "varchar(50)" << QVariant(QStringLiteral("Кафедра «Высшей математики»"))
                              << QVariant(QStringLiteral("Кафедра «Высшей математики»"));
    QTest::newRow("quotes kept as text") << "text" << QVariant(awkward) << QVariant(awkward);
    QTest::newRow("empty text is not null")
        << "text" << QVariant(QStringLiteral("")) << QVariant(QStringLiteral(""));
    QTest::newRow("date") << "date" << QVariant(QDate(2024, 2, 29)) << QVariant(QDate(2024, 2, 29));
    QTest::newRow("datetime with ms") << "timestamp" << QVariant(withMs) << QVariant(withMs);
    QTest::newRow("datetime whole seconds")
        << "timestamp" << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)))
        << QVariant(QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)));
    QTest::newRow("datetime with zone") << "timestamptz" << QVariant(withMs) << QVariant(withMs);
    QTest::newRow("time is text") << "time" << QVariant(QTime(8, 30, 15))
                                  << QVariant(QStringLiteral("08:30:15"));
    QTest::newRow("true") << "boolean" << QVariant(true) << QVariant(true);
    QTest::newRow("false") << "boolean" << QVariant(false) << QVariant(false);
    QTest::newRow("bytea") << "bytea" << QVariant(bytes) << QVariant(bytes);
}

void TestPgEngine::parameterRoundTrip()
{
    QFETCH(QString, columnType);
    QFETCH(QVariant, sent);
    QFETCH(QVariant, expected);

    m_engine->beginTransaction();
    m_engine->run(QStringLiteral("CREATE TEMP TABLE round_trip (v %1)").arg(columnType));
    const auto rows = query(QStringLiteral("INSERT INTO round_trip (v) VALUES ($1) RETURNING v"), {sent});
    m_engine->rollback();

    QVERIFY(rows->next());
    QCOMPARE(rows->isNull(0), expected.isNull());
    const QVariant received = rows->value(0);
    QCOMPARE(received.metaType(), expected.metaType());
    QCOMPARE(received, expected);
}

void TestPgEngine::consecutiveTimestampsReadApart()
{
    const auto rows =
        query(QStringLiteral("SELECT v::timestamp FROM (VALUES (1, '2024-01-01 10:00'),"
                             " (2, '2024-01-01 10:00'), (3, '2024-01-02 11:30:05.5'), (4, NULL),"
                             " (5, '2024-01-02 11:30:05.5'), (6, '2024-01-01 10:00')) AS t(n, v)"
                             " ORDER BY n"));
    const QDateTime first(QDate(2024, 1, 1), QTime(10, 0));
    const QDateTime second(QDate(2024, 1, 2), QTime(11, 30, 5, 500));
    for (const QVariant& expected : {QVariant(first), QVariant(first), QVariant(second), QVariant(),
                                     QVariant(second), QVariant(first)}) {
        QVERIFY(rows->next());
        QCOMPARE(rows->value(0), expected);
    }
}

void TestPgEngine::typedReaders_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<qint64>("asInt64");
    QTest::addColumn<double>("asDouble");
    QTest::addColumn<QString>("asText");

    QTest::newRow("int8") << "'-9223372036854775808'::int8" << std::numeric_limits<qint64>::min()
                          << -9223372036854775808.0 << "-9223372036854775808";
    QTest::newRow("float8") << "2.5::float8" << qint64(2) << 2.5 << "2.5";
    QTest::newRow("numeric") << "12.50::numeric(18,2)" << qint64(12) << 12.5 << "12.50";
    QTest::newRow("boolean") << "true" << qint64(1) << 1.0 << "t";
    QTest::newRow("null") << "NULL::int" << qint64(0) << 0.0 << "";
    QTest::newRow("cyrillic") << "'Штат'::varchar" << qint64(0) << 0.0 << "Штат";
}

void TestPgEngine::typedReaders()
{
    QFETCH(QString, expression);
    QFETCH(qint64, asInt64);
    QFETCH(double, asDouble);
    QFETCH(QString, asText);

    const auto rows = query(QStringLiteral("SELECT ") + expression);
    QVERIFY(rows->next());
    QCOMPARE(rows->toInt64(0), asInt64);
    QCOMPARE(rows->toDouble(0), asDouble);
    QCOMPARE(rows->toText(0), asText);
}

void TestPgEngine::columnTypes_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<FieldType>("type");
    QTest::addColumn<int>("size");

    QTest::newRow("int2") << "i2" << FieldType::Integer << 0;
    QTest::newRow("int4") << "i4" << FieldType::Integer << 0;
    QTest::newRow("int8") << "i8" << FieldType::Integer << 0;
    QTest::newRow("oid") << "1::oid" << FieldType::Integer << 0;
    QTest::newRow("float4") << "f4" << FieldType::Float << 0;
    QTest::newRow("float8") << "f8" << FieldType::Float << 0;
    QTest::newRow("numeric") << "num" << FieldType::Decimal << 0;
    QTest::newRow("varchar(30)") << "vc" << FieldType::Text << 30;
    QTest::newRow("char(5)") << "ch" << FieldType::Text << 5;
    QTest::newRow("varchar") << "vcn" << FieldType::Text << 0;
    QTest::newRow("text") << "tx" << FieldType::Memo << 0;
    QTest::newRow("name") << "nm" << FieldType::Memo << 0;
    QTest::newRow("computed text") << "tx || 'x'" << FieldType::Text << 0;
    QTest::newRow("date") << "d" << FieldType::Date << 0;
    QTest::newRow("timestamp") << "ts" << FieldType::DateTime << 0;
    QTest::newRow("timestamptz") << "tstz" << FieldType::DateTime << 0;
    QTest::newRow("time") << "t" << FieldType::Text << 0;
    QTest::newRow("boolean") << "b" << FieldType::Boolean << 0;
    QTest::newRow("bytea") << "y" << FieldType::Binary << 0;
    QTest::newRow("null") << "null" << FieldType::Text << 0;
}

void TestPgEngine::columnTypes()
{
    QFETCH(QString, expression);
    QFETCH(FieldType, type);
    QFETCH(int, size);

    const auto rows = query(QStringLiteral("SELECT %1 AS c FROM typed").arg(expression));
    QCOMPARE(rows->columns().size(), 1);
    QCOMPARE(rows->columns().at(0).type, type);
    QCOMPARE(rows->columns().at(0).size, size);
}

void TestPgEngine::emptyResultKeepsColumns()
{
    const auto rows =
        query(QStringLiteral("select null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2 LIMIT 0"));
    QCOMPARE(rows->columns().size(), 3);
    QCOMPARE(rows->columns().at(0).name, QStringLiteral("otdel_1"));
    QCOMPARE(rows->columns().at(0).type, FieldType::Text);
    QCOMPARE(rows->columns().at(1).type, FieldType::Integer);
    QVERIFY(!rows->next());
}

void TestPgEngine::rowsAffected()
{
    m_engine->run(QStringLiteral("CREATE TABLE counted (n int)"));
    QCOMPARE(m_engine->run(QStringLiteral("INSERT INTO counted SELECT generate_series(1, 3)")).rowsAffected,
             3);
    QCOMPARE(m_engine->run(QStringLiteral("UPDATE counted SET n = n + 10 WHERE n >= $1"), {2}).rowsAffected,
             2);
    QCOMPARE(m_engine->run(QStringLiteral("DELETE FROM counted WHERE n = 100")).rowsAffected, 0);
    QCOMPARE(m_engine->run(QStringLiteral("DELETE FROM counted")).rowsAffected, 3);
}

void TestPgEngine::rowsBrokenOffRaiseWhereTheyStop_data()
{
    QTest::addColumn<bool>("statementBetween");

    QTest::newRow("read straight") << false;
    QTest::newRow("another statement after the first row") << true;
}

// The server sends the first rows before it fails on the third.
void TestPgEngine::rowsBrokenOffRaiseWhereTheyStop()
{
    QFETCH(bool, statementBetween);

    const auto rows = query(QStringLiteral("SELECT 10 / (3 - n) FROM generate_series(1, 5) AS n"));
    QVERIFY(rows->next());
    QCOMPARE(rows->toInt64(0), 5);
    if (statementBetween)
        QCOMPARE(countRows(QStringLiteral("unique_key")), 1);
    QVERIFY(rows->next());
    QCOMPARE(rows->toInt64(0), 10);
    try {
        rows->next();
        QFAIL("the broken-off rows ended without the error");
    } catch (const DatabaseError& error) {
        QCOMPARE(error.message(), QStringLiteral("division by zero"));
    }
    QVERIFY(!rows->next());
    QVERIFY(m_engine->isOpen());
    QCOMPARE(countRows(QStringLiteral("unique_key")), 1);
}

// A cursor given up early must not cost the transaction its work: its rows are read off, not cancelled.
void TestPgEngine::droppedCursorLeavesTheTransactionGoing()
{
    m_engine->run(QStringLiteral("CREATE TABLE dropped (n int)"));
    m_engine->beginTransaction();
    m_engine->run(QStringLiteral("INSERT INTO dropped VALUES (1)"));
    {
        const auto many =
            query(QStringLiteral("SELECT n, repeat('x', 100) FROM generate_series(1, 100000) AS n"));
        QVERIFY(many->next());
        QCOMPARE(many->toInt64(0), 1);
    }
    QCOMPARE(m_engine->run(QStringLiteral("INSERT INTO dropped VALUES (2)")).rowsAffected, 1);
    m_engine->commit();
    QCOMPARE(countRows(QStringLiteral("dropped")), 2);
}

// Rows still coming when the connection is wanted again, or closed, are kept for their reader.
void TestPgEngine::cursorOutlivesLaterStatementsAndClose()
{
    const auto first = query(QStringLiteral("SELECT n FROM generate_series(1, 1000) AS n"));
    QVERIFY(first->next());
    const auto second = query(QStringLiteral("SELECT n * 2 FROM generate_series(1, 3) AS n"));
    QVERIFY(second->next());
    QCOMPARE(second->toInt64(0), 2);
    m_engine->close();

    qint64 sum = first->toInt64(0);
    while (first->next())
        sum += first->toInt64(0);
    QCOMPARE(sum, 500500);
    QVERIFY(second->next());
    QCOMPARE(second->toInt64(0), 4);
    QVERIFY(second->next());
    QVERIFY(!second->next());
    m_engine->open();
}

void TestPgEngine::errorCarriesServerMessage_data()
{
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("message");

    QTest::newRow("missing table") << "SELECT * FROM no_such_table"
                                   << "relation \"no_such_table\" does not exist";
    QTest::newRow("with detail") << "INSERT INTO unique_key VALUES (1)"
                                 << "duplicate key value violates unique constraint \"unique_key_pkey\"\n"
                                    "Key (id)=(1) already exists.";
    QTest::newRow("syntax") << "SELEC 1"
                            << "syntax error at or near \"SELEC\"";
}

void TestPgEngine::errorCarriesServerMessage()
{
    QFETCH(QString, sql);
    QFETCH(QString, message);

    try {
        m_engine->run(sql);
        QFAIL("the statement was accepted");
    } catch (const DatabaseError& error) {
        QCOMPARE(error.engineText(), message);
        QVERIFY2(error.message().endsWith(message), qPrintable(error.message()));
    }
    QVERIFY(m_engine->isOpen());
    QCOMPARE(countRows(QStringLiteral("unique_key")), 1);
}

void TestPgEngine::openFailsWithMessage_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QString>("message");

    QTest::newRow("wrong password") << "password"
                                    << "password authentication failed";
    QTest::newRow("unknown database") << "catalog"
                                      << "does not exist";
    QTest::newRow("closed port") << "port"
                                 << "Connection refused";
}

void TestPgEngine::openFailsWithMessage()
{
    QFETCH(QString, change);
    QFETCH(QString, message);

    ConnectionParams params = m_database->params();
    if (change == QLatin1String("password"))
        params.password += QLatin1Char('x');
    else if (change == QLatin1String("catalog"))
        params.initialCatalog = QStringLiteral("no_such_database");
    else
        params.dataSource = QStringLiteral("pg:127.0.0.1:1");

    PgEngine engine(params);
    try {
        engine.open();
        QFAIL("the connection was opened");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().contains(message), qPrintable(error.message()));
        QCOMPARE(error.message(), error.message().trimmed());
    }
    QVERIFY(!engine.isOpen());
}

void TestPgEngine::sessionSettings_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("value");

    QTest::newRow("search_path") << "search_path"
                                 << "dbo,public";
    QTest::newRow("client_encoding") << "client_encoding"
                                     << "UTF8";
    QTest::newRow("application_name") << "application_name"
                                      << "ZEB 7";
}

void TestPgEngine::sessionSettings()
{
    QFETCH(QString, setting);
    QFETCH(QString, value);

    const auto rows = query(QStringLiteral("SHOW ") + setting);
    QVERIFY(rows->next());
    QCOMPARE(rows->toText(0), value);
}

void TestPgEngine::databaseDefaultsDoNotReachTheSession_data()
{
    QTest::addColumn<QString>("setting");
    QTest::addColumn<QString>("databaseDefault");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("probeText");

    QTest::newRow("float digits") << "extra_float_digits"
                                  << "0"
                                  << "3"
                                  << "SELECT 0.1::float8 + 0.2::float8"
                                  << "0.30000000000000004";
    QTest::newRow("date style German") << "DateStyle"
                                       << "'German'"
                                       << "ISO, DMY"
                                       << "SELECT '03.04.2024 10:30'::timestamp"
                                       << "2024-04-03 10:30:00";
    QTest::newRow("date style SQL, MDY") << "DateStyle"
                                         << "'SQL, MDY'"
                                         << "ISO, DMY"
                                         << "SELECT '03.04.2024'::date"
                                         << "2024-04-03";
    QTest::newRow("interval style") << "IntervalStyle"
                                    << "'sql_standard'"
                                    << "postgres"
                                    << "SELECT interval '1 day 02:00'"
                                    << "1 day 02:00:00";
    QTest::newRow("backslash in a literal") << "standard_conforming_strings"
                                            << "off"
                                            << "on"
                                            << "SELECT 'C:\\temp\\n'"
                                            << "C:\\temp\\n";
    QTest::newRow("client encoding") << "client_encoding"
                                     << "'WIN1251'"
                                     << "UTF8"
                                     << "SELECT 'Штатное расписание'"
                                     << "Штатное расписание";
}

// An administrator's default for the database cannot change what the client reads and sends.
void TestPgEngine::databaseDefaultsDoNotReachTheSession()
{
    QFETCH(QString, setting);
    QFETCH(QString, databaseDefault);
    QFETCH(QString, shown);
    QFETCH(QString, probe);
    QFETCH(QString, probeText);

    const QString database = m_database->params().initialCatalog;
    m_engine->run(QStringLiteral("ALTER DATABASE %1 SET %2 = %3").arg(database, setting, databaseDefault));
    PgEngine session(m_database->params());
    try {
        session.open();
    } catch (const Error& error) {
        m_engine->run(QStringLiteral("ALTER DATABASE %1 RESET ALL").arg(database));
        QFAIL(error.what());
    }
    m_engine->run(QStringLiteral("ALTER DATABASE %1 RESET ALL").arg(database));

    const auto value = session.run(QStringLiteral("SHOW ") + setting).rows;
    QVERIFY(value->next());
    QCOMPARE(value->toText(0), shown);
    const auto probed = session.run(probe).rows;
    QVERIFY(probed->next());
    QCOMPARE(probed->toText(0), probeText);
}

void TestPgEngine::runScriptRunsEveryStatement()
{
    m_engine->runScript(QStringLiteral("CREATE TABLE scripted (a int);\n"
                                       "INSERT INTO scripted VALUES (1);\n"
                                       "INSERT INTO scripted VALUES (2);\n"));
    QCOMPARE(countRows(QStringLiteral("scripted")), 2);

    try {
        m_engine->runScript(QStringLiteral("INSERT INTO scripted VALUES (3); SELECT * FROM no_such_table;"));
        QFAIL("the script was accepted");
    } catch (const DatabaseError& error) {
        QCOMPARE(error.message(), QStringLiteral("relation \"no_such_table\" does not exist"));
    }
    QCOMPARE(countRows(QStringLiteral("scripted")), 2);
}

void TestPgEngine::rollbackDiscardsChanges()
{
    m_engine->run(QStringLiteral("CREATE TABLE transacted (a int)"));

    m_engine->beginTransaction();
    m_engine->run(QStringLiteral("INSERT INTO transacted VALUES (1)"));
    QCOMPARE(countRows(QStringLiteral("transacted")), 1);
    m_engine->rollback();
    QCOMPARE(countRows(QStringLiteral("transacted")), 0);

    m_engine->beginTransaction();
    m_engine->run(QStringLiteral("INSERT INTO transacted VALUES (2)"));
    m_engine->commit();
    QCOMPARE(countRows(QStringLiteral("transacted")), 1);
}

void TestPgEngine::lostConnectionClosesEngine()
{
    PgEngine victim(m_database->params());
    victim.open();
    const auto pid = query(QStringLiteral("SELECT pg_backend_pid()"));
    QVERIFY(pid->next());
    const auto victimPid = victim.run(QStringLiteral("SELECT pg_backend_pid()")).rows;
    QVERIFY(victimPid->next());
    QVERIFY(victimPid->toInt64(0) != pid->toInt64(0));

    m_engine->run(QStringLiteral("SELECT pg_terminate_backend($1)"), {victimPid->toInt64(0)});
    try {
        victim.run(QStringLiteral("SELECT 1"));
        QFAIL("the statement ran on a terminated session");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().contains(QLatin1String("terminating connection")),
                 qPrintable(error.message()));
    }
    QVERIFY(!victim.isOpen());
    victim.rollback();

    victim.open();
    QVERIFY(victim.run(QStringLiteral("SELECT 1")).rows->next());
}

// A kept statement runs again with other values and NULLs, survives its own failure, is not kept when it
// fails to prepare, and is prepared again in a new session or after the cache fills.
void TestPgEngine::preparedStatementsAreKept()
{
    m_engine->runScript(QStringLiteral("CREATE TABLE kept (id int PRIMARY KEY, v text);"
                                       "INSERT INTO kept VALUES (1, 'a'), (2, 'b');"));
    const QString setValue = QStringLiteral("UPDATE kept SET v = $1 WHERE id = $2");
    QCOMPARE(m_engine->runPrepared(setValue, {QStringLiteral("x"), 1}), 1);
    QCOMPARE(m_engine->runPrepared(setValue, {QVariant(), 2}), 1);
    QCOMPARE(m_engine->runPrepared(setValue, {QStringLiteral("y"), 3}), 0);
    auto values = query(QStringLiteral("SELECT string_agg(coalesce(v, 'NULL'), ',' ORDER BY id) FROM kept"));
    QVERIFY(values->next());
    QCOMPARE(values->toText(0), QStringLiteral("x,NULL"));

    const QString moveKey = QStringLiteral("UPDATE kept SET id = $1 WHERE id = $2");
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_engine->runPrepared(moveKey, {1, 2}));
    QCOMPARE(m_engine->runPrepared(moveKey, {5, 2}), 1);

    const QString later = QStringLiteral("UPDATE later SET v = $1");
    QVERIFY_THROWS_EXCEPTION(DatabaseError, m_engine->runPrepared(later, {1}));
    m_engine->runScript(QStringLiteral("CREATE TABLE later (v int); INSERT INTO later VALUES (0);"));
    QCOMPARE(m_engine->runPrepared(later, {1}), 1);

    m_engine->close();
    m_engine->open();
    QCOMPARE(m_engine->runPrepared(setValue, {QStringLiteral("after reopen"), 1}), 1);
    for (int i = 0; i < 100; ++i)
        QCOMPARE(m_engine->runPrepared(QStringLiteral("UPDATE later SET v = $1 WHERE v <> %1").arg(i), {i}),
                 1);
    QCOMPARE(m_engine->runPrepared(setValue, {QStringLiteral("after a full cache"), 1}), 1);
    values = query(QStringLiteral("SELECT v FROM kept WHERE id = 1"));
    QVERIFY(values->next());
    QCOMPARE(values->toText(0), QStringLiteral("after a full cache"));
}

QTEST_GUILESS_MAIN(TestPgEngine)
#include "TestPgEngine.moc"
