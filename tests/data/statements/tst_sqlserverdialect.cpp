#include "data/DatabaseError.h"
#include "data/dataset/WriteStatements.h"
#include "data/odbc/OdbcConnectionString.h"
#include "data/odbc/OdbcMessage.h"
#include "data/odbc/SqlServerDialect.h"
#include "data/pg/PgDialect.h"
#include "data/sqlite/SqliteDialect.h"

#include <QDateTime>
#include <QSqlError>
#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(QList<CellChange>)
Q_DECLARE_METATYPE(const zeb::Dialect*)

namespace {

// Key, a short and a long text, a float, an exact decimal, a date and a date-time.
const QList<WriteColumn> lineColumns = {
    {QStringLiteral("id_vakansiya"), FieldType::Integer}, {QStringLiteral("e_n_p"), FieldType::Text},
    {QStringLiteral("descr"), FieldType::Memo},           {QStringLiteral("q_units"), FieldType::Float},
    {QStringLiteral("razrad"), FieldType::Decimal},       {QStringLiteral("ZEB_Update"), FieldType::Date},
    {QStringLiteral("e_d_p"), FieldType::DateTime},
};

QList<QMetaType> typesOf(const QVariantList& values)
{
    QList<QMetaType> types;
    for (const QVariant& value : values)
        types.append(value.metaType());
    return types;
}

} // namespace

// What write-back sends to SQL Server through the ODBC driver, and what the driver is asked to connect to.
class TestSqlServerDialect : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void updateTextsAndBoundTypes_data();
    void updateTextsAndBoundTypes();
    void deleteComparesWhatWasRead();
    void otherEnginesKeepTheirTexts();
    void insertGivesBackTheStoredRow_data();
    void insertGivesBackTheStoredRow();
    void connectionStringPerServerForm_data();
    void connectionStringPerServerForm();
    void valueTheDriverCannotReadRefused();
    void encryptionChoice_data();
    void encryptionChoice();
    void driverPrefixesStripped_data();
    void driverPrefixesStripped();
};

void TestSqlServerDialect::updateTextsAndBoundTypes_data()
{
    QTest::addColumn<QList<CellChange>>("changes");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QVariantList>("params");

    const QString longText(200, QChar(0x0416));
    const QDateTime stored(QDate(2024, 3, 1), QTime(10, 30, 0, 3));
    QTest::newRow("long text compared as nvarchar(max)")
        << QList<CellChange>{{2, longText, QStringLiteral("новое")}}
        << QStringLiteral("UPDATE [Vakansii] SET [descr] = CAST(? AS nvarchar(max)) WHERE [id_vakansiya] = "
                          "CAST(? AS bigint) AND [descr] = CAST(? AS nvarchar(max))")
        << QVariantList{QStringLiteral("новое"), 7, longText};
    QTest::newRow("cleared text, float and date bound typed")
        << QList<CellChange>{{1, QStringLiteral("12"), QVariant()},
                             {3, 1.5, QVariant()},
                             {5, QDate(2024, 1, 9), QVariant()}}
        << QStringLiteral(
               "UPDATE [Vakansii] SET [e_n_p] = CAST(? AS nvarchar(max)), [q_units] = CAST(? AS "
               "float), [ZEB_Update] = CAST(? AS date) WHERE [id_vakansiya] = CAST(? AS bigint) AND "
               "[e_n_p] = CAST(? AS nvarchar(max)) AND [q_units] = CAST(? AS float) AND [ZEB_Update] = "
               "CAST(? AS date)")
        << QVariantList{QVariant(QMetaType::fromType<QString>()),
                        QVariant(QMetaType::fromType<double>()),
                        QVariant(QMetaType::fromType<QDate>()),
                        7,
                        QStringLiteral("12"),
                        1.5,
                        QDate(2024, 1, 9)};
    QTest::newRow("date-time read as .003 compared as datetime")
        << QList<CellChange>{{6, stored, QVariant()}}
        << QStringLiteral("UPDATE [Vakansii] SET [e_d_p] = CAST(? AS datetime) WHERE [id_vakansiya] = "
                          "CAST(? AS bigint) AND [e_d_p] = CAST(? AS datetime)")
        << QVariantList{QVariant(QMetaType::fromType<QDateTime>()), 7, stored};
    // The driver sends a date-time with its milliseconds; the cast rounds them to datetime's own ticks.
    const QDateTime seventh(QDate(2024, 3, 1), QTime(23, 59, 59, 997));
    QTest::newRow("date-time read as .997 set to .007")
        << QList<CellChange>{{6, seventh, QDateTime(QDate(2024, 3, 2), QTime(0, 0, 0, 7))}}
        << QStringLiteral("UPDATE [Vakansii] SET [e_d_p] = CAST(? AS datetime) WHERE [id_vakansiya] = "
                          "CAST(? AS bigint) AND [e_d_p] = CAST(? AS datetime)")
        << QVariantList{QDateTime(QDate(2024, 3, 2), QTime(0, 0, 0, 7)), 7, seventh};
    QTest::newRow("value set where NULL was read")
        << QList<CellChange>{{1, QVariant(), QStringLiteral("12 от 01.02.2024")}, {4, QVariant(), QVariant()}}
        << QStringLiteral("UPDATE [Vakansii] SET [e_n_p] = CAST(? AS nvarchar(max)), [razrad] = ? WHERE "
                          "[id_vakansiya] = CAST(? AS bigint) AND [e_n_p] IS NULL AND [razrad] IS NULL")
        << QVariantList{QStringLiteral("12 от 01.02.2024"), QVariant(QMetaType::fromType<QString>()), 7};
    QTest::newRow("exact decimal as its text")
        << QList<CellChange>{{4, QStringLiteral("123456789012345678"), QStringLiteral("18")}}
        << QStringLiteral("UPDATE [Vakansii] SET [razrad] = ? WHERE [id_vakansiya] = CAST(? AS bigint) AND "
                          "[razrad] = ?")
        << QVariantList{QStringLiteral("18"), 7, QStringLiteral("123456789012345678")};
}

void TestSqlServerDialect::updateTextsAndBoundTypes()
{
    QFETCH(QList<CellChange>, changes);
    QFETCH(QString, sql);
    QFETCH(QVariantList, params);
    WriteStatements statements(SqlServerDialect::instance(), QStringLiteral("Vakansii"), lineColumns, 0);
    QVariantList bound;
    QCOMPARE(statements.update(7, changes, bound), sql);
    QCOMPARE(bound, params);
    // A NULL carries its column's type; the driver would otherwise send one the server refuses.
    QCOMPARE(typesOf(bound), typesOf(params));
}

void TestSqlServerDialect::deleteComparesWhatWasRead()
{
    WriteStatements statements(SqlServerDialect::instance(), QStringLiteral("Vakansii"), lineColumns, 0);
    QVariantList bound;
    const QString sql = statements.remove(
        {7, QVariant(), QString(300, QLatin1Char('x')), 0.5, QVariant(), QDate(2024, 1, 9), QVariant()},
        bound);
    QCOMPARE(sql, QStringLiteral(
                      "DELETE FROM [Vakansii] WHERE [id_vakansiya] = CAST(? AS bigint) AND [e_n_p] IS "
                      "NULL AND [descr] = CAST(? AS nvarchar(max)) AND [q_units] = CAST(? AS float) AND "
                      "[razrad] IS NULL AND [ZEB_Update] = CAST(? AS date) AND [e_d_p] IS NULL"));
    QCOMPARE(bound, (QVariantList{7, QString(300, QLatin1Char('x')), 0.5, QDate(2024, 1, 9)}));
}

// The casts and typed NULLs are SQL Server's alone.
void TestSqlServerDialect::otherEnginesKeepTheirTexts()
{
    WriteStatements sqlite(SqliteDialect::instance(), QStringLiteral("Vakansii"), lineColumns, 0);
    QVariantList bound;
    QCOMPARE(sqlite.update(7, {{3, 1.5, QVariant()}}, bound),
             QStringLiteral(
                 "UPDATE \"Vakansii\" SET \"q_units\" = ? WHERE \"id_vakansiya\" IS ? AND \"q_units\" IS ?"));
    QVERIFY(!bound.first().metaType().isValid());
}

void TestSqlServerDialect::insertGivesBackTheStoredRow_data()
{
    QTest::addColumn<const Dialect*>("dialect");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("returned");
    QTest::addColumn<QString>("sql");
    const QStringList none;
    QTest::newRow("sql server: row")
        << &SqlServerDialect::instance() << QStringList{QStringLiteral("[e_n_p]")} << QStringLiteral("*")
        << QStringLiteral("INSERT INTO [t] ([e_n_p]) VALUES (?); SELECT * FROM [t] WHERE $IDENTITY = "
                          "SCOPE_IDENTITY()");
    QTest::newRow("sql server: defaults only")
        << &SqlServerDialect::instance() << none << QStringLiteral("*")
        << QStringLiteral(
               "INSERT INTO [t] DEFAULT VALUES; SELECT * FROM [t] WHERE $IDENTITY = SCOPE_IDENTITY()");
    QTest::newRow("sql server: key")
        << &SqlServerDialect::instance() << QStringList{QStringLiteral("[a]")} << QStringLiteral("[id]")
        << QStringLiteral("INSERT INTO [t] ([a]) VALUES (?); SELECT [id] FROM [t] WHERE $IDENTITY = "
                          "SCOPE_IDENTITY()");
    QTest::newRow("sqlite: row") << &SqliteDialect::instance() << QStringList{QStringLiteral("\"e_n_p\"")}
                                 << QStringLiteral("*")
                                 << QStringLiteral("INSERT INTO [t] (\"e_n_p\") VALUES (?) RETURNING *");
    QTest::newRow("postgres: defaults only") << &PgDialect::instance() << none << QStringLiteral("*")
                                             << QStringLiteral("INSERT INTO [t] DEFAULT VALUES RETURNING *");
}

// The row as stored comes back in the same statement on every engine: identity key and defaults included.
void TestSqlServerDialect::insertGivesBackTheStoredRow()
{
    QFETCH(const Dialect*, dialect);
    QFETCH(QStringList, names);
    QFETCH(QString, returned);
    QFETCH(QString, sql);
    QStringList markers;
    for (int i = 0; i < names.size(); ++i)
        markers.append(QStringLiteral("?"));
    QCOMPARE(dialect->insertReturning(QStringLiteral("[t]"), names, markers, returned), sql);
}

void TestSqlServerDialect::connectionStringPerServerForm_data()
{
    QTest::addColumn<QString>("dataSource");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("server");

    QTest::newRow("host") << QStringLiteral("kadry-srv") << QStringLiteral("secret")
                          << QStringLiteral("SERVER=kadry-srv;DATABASE=ZEB;UID=ZEB_signin;PWD=secret");
    QTest::newRow("host and port") << QStringLiteral("10.0.0.5,1533") << QStringLiteral("secret")
                                   << QStringLiteral(
                                          "SERVER=10.0.0.5;PORT=1533;DATABASE=ZEB;UID=ZEB_signin;PWD=secret");
    QTest::newRow("named instance")
        << QStringLiteral("kadry-srv\\SQLEXPRESS") << QStringLiteral("secret")
        << QStringLiteral("SERVER=kadry-srv\\SQLEXPRESS;DATABASE=ZEB;UID=ZEB_signin;PWD=secret");
    // As FreeTDS 1.3 reads them: up to the first "};", braces inside taken as they stand.
    QTest::newRow("password with separators")
        << QStringLiteral("kadry-srv") << QStringLiteral("a;b}c}")
        << QStringLiteral("SERVER=kadry-srv;DATABASE=ZEB;UID=ZEB_signin;PWD={a;b}c}}");
    QTest::newRow("password starting with a brace")
        << QStringLiteral("kadry-srv") << QStringLiteral("{x")
        << QStringLiteral("SERVER=kadry-srv;DATABASE=ZEB;UID=ZEB_signin;PWD={{x}");
    QTest::newRow("brace without separator stays plain")
        << QStringLiteral("kadry-srv") << QStringLiteral("a}b{")
        << QStringLiteral("SERVER=kadry-srv;DATABASE=ZEB;UID=ZEB_signin;PWD=a}b{");
}

void TestSqlServerDialect::connectionStringPerServerForm()
{
    QFETCH(QString, dataSource);
    QFETCH(QString, password);
    QFETCH(QString, server);
    const ConnectionParams params{QStringLiteral("ZEB_signin"), password, QStringLiteral("ZEB"), dataSource};
    QCOMPARE(odbcConnectionString(params, QStringLiteral("require")),
             QStringLiteral("DRIVER={FreeTDS};") + server +
                 QStringLiteral(";TDS_Version=7.4;ClientCharset=UTF-8;Encryption=require"));
}

// A braced value ends at "};", so one holding it cannot be written.
void TestSqlServerDialect::valueTheDriverCannotReadRefused()
{
    const ConnectionParams params{QStringLiteral("ZEB_signin"), QStringLiteral("x};y"), QStringLiteral("ZEB"),
                                  QStringLiteral("kadry-srv")};
    try {
        odbcConnectionString(params, QStringLiteral("require"));
        QFAIL("the password would reach the server cut short");
    } catch (const DatabaseError& error) {
        QVERIFY2(error.message().startsWith(QStringLiteral("Пароль")), qPrintable(error.message()));
    }
}

void TestSqlServerDialect::encryptionChoice_data()
{
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<QString>("chosen");
    QTest::newRow("unset") << QByteArray() << QStringLiteral("require");
    QTest::newRow("require") << QByteArray("require") << QStringLiteral("require");
    QTest::newRow("request") << QByteArray("Request") << QStringLiteral("request");
    QTest::newRow("off for an old server") << QByteArray(" off ") << QStringLiteral("off");
    QTest::newRow("misspelt") << QByteArray("no") << QString();
}

void TestSqlServerDialect::encryptionChoice()
{
    QFETCH(QByteArray, variable);
    QFETCH(QString, chosen);
    if (variable.isNull())
        qunsetenv("ZEB_MSSQL_ENCRYPTION");
    else
        qputenv("ZEB_MSSQL_ENCRYPTION", variable);
    if (chosen.isEmpty()) {
        try {
            odbcEncryption();
            QFAIL("an unknown choice was taken");
        } catch (const DatabaseError& error) {
            QVERIFY2(error.message().contains(QStringLiteral("ZEB_MSSQL_ENCRYPTION")),
                     qPrintable(error.message()));
        }
    } else {
        QCOMPARE(odbcEncryption(), chosen);
    }
    qunsetenv("ZEB_MSSQL_ENCRYPTION");
}

void TestSqlServerDialect::driverPrefixesStripped_data()
{
    QTest::addColumn<QString>("database");
    QTest::addColumn<QString>("driver");
    QTest::addColumn<QString>("shown");
    const QString failed = QStringLiteral("QODBC: Unable to execute statement");
    QTest::newRow("server message")
        << QStringLiteral("[FreeTDS][SQL Server]Cannot insert the value NULL into column 'id_post'.")
        << failed << QStringLiteral("Cannot insert the value NULL into column 'id_post'.");
    QTest::newRow("driver manager too")
        << QStringLiteral("[unixODBC][FreeTDS][SQL Server]Login failed for user 'x'.") << failed
        << QStringLiteral("Login failed for user 'x'.");
    QTest::newRow("Russian server text")
        << QStringLiteral(" [FreeTDS][SQL Server] Кафедра с кодом 5 не найдена.") << failed
        << QStringLiteral("Кафедра с кодом 5 не найдена.");
    QTest::newRow("two records")
        << QStringLiteral(
               "[FreeTDS][SQL Server]Unable to connect to data source [FreeTDS][SQL Server]Unable to "
               "connect: Adaptive Server is unavailable or does not exist")
        << QStringLiteral("QODBC: Unable to connect")
        << QStringLiteral(
               "Unable to connect to data source\nUnable to connect: Adaptive Server is unavailable or "
               "does not exist");
    QTest::newRow("no prefix") << QStringLiteral("Unable to connect") << failed
                               << QStringLiteral("Unable to connect");
    QTest::newRow("bracket kept inside") << QStringLiteral("[FreeTDS]Invalid object name '[dbo].[x]'.")
                                         << failed << QStringLiteral("Invalid object name '[dbo].[x]'.");
    // As Qt 6.4 joins FreeTDS's records of a refused login.
    QTest::newRow("records of a failed connection")
        << QStringLiteral(
               "[FreeTDS][SQL Server]Unable to connect to data source [FreeTDS][SQL Server]Unexpected "
               "EOF from the server [FreeTDS][SQL Server]Adaptive Server connection failed")
        << QStringLiteral("QODBC: Unable to connect")
        << QStringLiteral("Unable to connect to data source\nUnexpected EOF from the server\nAdaptive Server "
                          "connection failed");
    QTest::newRow("record repeated")
        << QStringLiteral(
               "[FreeTDS][SQL Server]Нет доступа к базе ZEB. [FreeTDS][SQL Server]Нет доступа к базе ZEB.")
        << failed << QStringLiteral("Нет доступа к базе ZEB.");
    QTest::newRow("one bracketed name after a space stays")
        << QStringLiteral("[FreeTDS][SQL Server]Нет разрешения на объект [dbo].[Vakansii].") << failed
        << QStringLiteral("Нет разрешения на объект [dbo].[Vakansii].");
    QTest::newRow("driver manager alone")
        << QStringLiteral("[unixODBC][Driver Manager]Can't open lib 'FreeTDS' : file not found")
        << QStringLiteral("QODBC: Unable to connect")
        << QStringLiteral("Can't open lib 'FreeTDS' : file not found");
    QTest::newRow("only Qt's words") << QString() << QStringLiteral("QODBC: Unable to bind variable")
                                     << QStringLiteral("Unable to bind variable");
    QTest::newRow("prefix with nothing after")
        << QStringLiteral("[FreeTDS][SQL Server]") << failed << QStringLiteral("Unable to execute statement");
}

void TestSqlServerDialect::driverPrefixesStripped()
{
    QFETCH(QString, database);
    QFETCH(QString, driver);
    QFETCH(QString, shown);
    QCOMPARE(odbcErrorText(QSqlError(driver, database, QSqlError::StatementError)), shown);
}

QTEST_GUILESS_MAIN(TestSqlServerDialect)
#include "tst_sqlserverdialect.moc"
