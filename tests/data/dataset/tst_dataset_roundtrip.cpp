#include "data/Connection.h"
#include "data/dataset/Dataset.h"
#include "tests/support/EngineRows.h"
#include "platform/Error.h"
#include "data/dataset/Field.h"
#include "tests/support/TestInstallation.h"
#include "data/dataset/ValueText.h"

#include <QCoreApplication>
#include <QTest>
#include <ctime>
#include <functional>
#include <map>

using namespace zeb;

namespace {

// One line of each kind of value a save compares: an 18-digit key and amount, a binary float, a
// date-time, a text, and a decimal too wide for 64 bits. A line typed in gets its key from the server, as
// from an identity column: an 18-digit one.
const QString sqliteTable =
    QStringLiteral("CREATE TABLE RoundTrip (id NUMERIC(18,0) PRIMARY KEY DEFAULT 123456789012345678,"
                   " amount NUMERIC(18,0), units FLOAT, entered DATETIME, name VARCHAR(30), note VARCHAR(30),"
                   " wide NUMERIC(30,2))");
const QString pgTable =
    QStringLiteral("CREATE TABLE dbo.roundtrip (id numeric(18,0) PRIMARY KEY DEFAULT 123456789012345678,"
                   " amount numeric(18,0), units double precision, entered timestamp(3), name varchar(30),"
                   " note varchar(30), wide numeric(30,2))");

struct Column
{
    const char* name;
    const char* literal;
    const char* typed;
};

// The other columns of a line, as stored and as typed (the key is not typed).
const Column ordinary[] = {
    {"id", "1", nullptr},       {"amount", "5", "5"},
    {"units", "1.5", "1,5"},    {"entered", "'2024-01-15 10:00:00'", "15.01.2024 10:00"},
    {"name", "'Штат'", "Штат"}, {"note", "'до правки'", "до правки"},
};

// Why a step was refused; empty when it went through.
QString refusal(const std::function<void()>& step)
{
    try {
        step();
    } catch (const Error& error) {
        return error.message();
    }
    return {};
}

} // namespace

class TestDatasetRoundTrip : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();
    void savedLineIsNeverRefusedByItsOwnRoundTrip_data();
    void savedLineIsNeverRefusedByItsOwnRoundTrip();
    void decimalsShowTheirExactDigits_data();
    void decimalsShowTheirExactDigits();

private:
    TestInstallation& installation(EngineKind engine);

    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
};

void TestDatasetRoundTrip::initTestCase()
{
    QVERIFY2(!QDateTime(QDate(2021, 3, 28), QTime(2, 30)).isValid(),
             "the tests need a local time zone whose clocks skip 02:30 on 28 March 2021");
}

void TestDatasetRoundTrip::cleanupTestCase()
{
    m_installations.clear();
}

// One installation per engine with the line's table. On PostgreSQL the database's defaults are those an
// administrator might set, each of which would change what the client reads back.
TestInstallation& TestDatasetRoundTrip::installation(EngineKind engine)
{
    std::unique_ptr<TestInstallation>& installation = m_installations[engine];
    if (installation)
        return *installation;
    installation = std::make_unique<TestInstallation>(engine);
    const std::unique_ptr<Engine> admin = installation->adminEngine();
    if (engine == EngineKind::Sqlite) {
        admin->run(sqliteTable);
        return *installation;
    }
    admin->run(pgTable);
    admin->run(QStringLiteral("GRANT SELECT, INSERT, UPDATE, DELETE ON dbo.roundtrip TO \"%1\"")
                   .arg(installation->workAccount().user));
    for (const char* setting : {"extra_float_digits = 0", "DateStyle = 'SQL, MDY'",
                                "IntervalStyle = 'sql_standard'", "standard_conforming_strings = off"})
        admin->run(QStringLiteral("ALTER DATABASE %1 SET %2")
                       .arg(installation->database(), QString::fromLatin1(setting)));
    return *installation;
}

void TestDatasetRoundTrip::savedLineIsNeverRefusedByItsOwnRoundTrip_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<bool>("typedIn");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("retyped");
    QTest::addColumn<QString>("retypedLiteral");

    struct Case
    {
        const char* name;
        const char* column;
        const char* literal;
        const char* entry;
        const char* shown;
        const char* retyped;
        const char* retypedLiteral;
    };
    const Case cases[] = {
        {"18-digit amount", "amount", "123456789012345678", "123456789012345678", "123456789012345678",
         "987654321098765432", "987654321098765432"},
        {"18-digit key", "id", "123456789012345678", "123456789012345678", "123456789012345678", "", ""},
        {"float sum", "units", "CAST(0.1 AS DOUBLE PRECISION) + CAST(0.2 AS DOUBLE PRECISION)",
         "0,30000000000000004", "0,3", "0,75", "0.75"},
        {"date-time in the gap", "entered", "'2021-03-28 02:30:00'", "28.03.2021 02:30",
         "28.03.2021 02:30:00", "28.03.2021 02:45", "'2021-03-28 02:45:00'"},
        {"cyrillic with trailing blanks", "name", "'Кафедра «ВМ»   '", "Кафедра «ВМ»   ", "Кафедра «ВМ»   ",
         "Штат  ", "'Штат  '"},
        // SQLite keeps such a number as a binary float: only the server keeps all its digits.
        {"decimal wider than 64 bits", "wide", "1234567890123456789012.34", "1234567890123456789012,34",
         "1234567890123456789012,34", "-0,01", "-0.01"},
    };
    for (const auto& [engineName, engine] : installableEngines) {
        for (const Case& c : cases) {
            if (engine == EngineKind::Sqlite && qstrcmp(c.column, "wide") == 0)
                continue;
            for (const bool typedIn : {false, true}) {
                if (typedIn && qstrcmp(c.column, "id") == 0)
                    continue;
                QTest::addRow("%s %s %s", engineName, c.name, typedIn ? "typed in" : "read")
                    << engine << typedIn << QString::fromLatin1(c.column) << QString::fromUtf8(c.literal)
                    << QString::fromUtf8(c.entry) << QString::fromUtf8(c.shown)
                    << QString::fromUtf8(c.retyped) << QString::fromUtf8(c.retypedLiteral);
            }
        }
    }
}

// A line read from the table or typed in and saved, then saved again with another field edited, with the
// field itself edited, and deleted, which compares the whole line as read: no step may find the line
// "changed by another user" because a value did not come back as it went.
void TestDatasetRoundTrip::savedLineIsNeverRefusedByItsOwnRoundTrip()
{
    QFETCH(EngineKind, engine);
    QFETCH(bool, typedIn);
    QFETCH(QString, column);
    QFETCH(QString, literal);
    QFETCH(QString, entry);
    QFETCH(QString, shown);
    QFETCH(QString, retyped);
    QFETCH(QString, retypedLiteral);

    std::unique_ptr<Engine> admin;
    QVERIFY_THROWS_NO_EXCEPTION(admin = installation(engine).adminEngine());
    admin->run(QStringLiteral("DELETE FROM RoundTrip"));
    auto lineCount = [&](const QString& condition) {
        return firstValue(*admin, QStringLiteral("select count(*) from RoundTrip where ") + condition)
            .toInt();
    };
    if (!typedIn) {
        QStringList names{column};
        QStringList literals{literal};
        for (const Column& other : ordinary) {
            if (column != QLatin1String(other.name)) {
                names << QString::fromLatin1(other.name);
                literals << QString::fromUtf8(other.literal);
            }
        }
        admin->run(QStringLiteral("INSERT INTO RoundTrip (%1) VALUES (%2)")
                       .arg(names.join(QLatin1Char(',')), literals.join(QLatin1Char(','))));
    }

    const std::unique_ptr<Connection> connection = installation(engine).signedInConnection();
    Dataset line(QStringLiteral("RoundTrip"), connection.get());
    line.setSql(QStringLiteral("select * from RoundTrip"));
    line.setKeyField(QStringLiteral("id"));
    line.open();
    if (typedIn) {
        line.append();
        line.fieldByName(column)->setAsString(entry);
        for (const Column& other : ordinary) {
            if (column != QLatin1String(other.name) && other.typed)
                line.fieldByName(QString::fromLatin1(other.name))
                    ->setAsString(QString::fromUtf8(other.typed));
        }
        QCOMPARE(refusal([&] { line.post(); }), QString());
    }
    QCOMPARE(line.recordCount(), 1);
    QCOMPARE(line.fieldByName(column)->asString(), shown);

    line.edit();
    line.fieldByName(QStringLiteral("note"))->setAsString(QStringLiteral("после правки"));
    QCOMPARE(refusal([&] { line.post(); }), QString());
    QCOMPARE(lineCount(QStringLiteral("note = 'после правки'")), 1);
    line.close();
    line.open();
    QCOMPARE(line.fieldByName(column)->asString(), shown);
    QCOMPARE(line.fieldByName(QStringLiteral("note"))->asString(), QStringLiteral("после правки"));

    if (!retyped.isEmpty()) {
        line.edit();
        line.fieldByName(column)->setAsString(retyped);
        QCOMPARE(refusal([&] { line.post(); }), QString());
        QCOMPARE(lineCount(column + QStringLiteral(" = ") + retypedLiteral), 1);
    }

    QCOMPARE(refusal([&] { line.remove(); }), QString());
    QCOMPARE(lineCount(QStringLiteral("1 = 1")), 0);
}

void TestDatasetRoundTrip::decimalsShowTheirExactDigits_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shown");

    QTest::newRow("18 digits") << "123456789012345678"
                               << "0.##"
                               << "123456789012345678"
                               << "123456789012345678";
    QTest::newRow("half rounds away from zero") << "2,675"
                                                << "0.##"
                                                << "2,675"
                                                << "2,68";
    QTest::newRow("negative rounds to zero") << "-0,004"
                                             << "0.##"
                                             << "-0,004"
                                             << "0";
    QTest::newRow("carry into the whole part") << "9,999"
                                               << "0.##"
                                               << "9,999"
                                               << "10";
    QTest::newRow("required zeros") << "0,5"
                                    << "0.00"
                                    << "0,5"
                                    << "0,50";
    QTest::newRow("grouped and padded") << " 1 234,500 "
                                        << "0.##"
                                        << "1234,5"
                                        << "1234,5";
    QTest::newRow("point typed") << "-12.50"
                                 << ""
                                 << "-12,5"
                                 << "-12,5";
    QTest::newRow("wider than 64 bits") << "1234567890123456789012,345"
                                        << "0.##"
                                        << "1234567890123456789012,345"
                                        << "1234567890123456789012,35";
}

// What a user types into a decimal is kept digit for digit, shown with its display format.
void TestDatasetRoundTrip::decimalsShowTheirExactDigits()
{
    QFETCH(QString, typed);
    QFETCH(QString, format);
    QFETCH(QString, text);
    QFETCH(QString, shown);

    const QVariant value = valuetext::parse(typed, FieldType::Decimal);
    QCOMPARE(valuetext::toText(value, FieldType::Decimal), text);
    QCOMPARE(valuetext::toDisplay(value, FieldType::Decimal, format), shown);
    QVERIFY_THROWS_EXCEPTION(Error, valuetext::parse(QStringLiteral("1,5 руб."), FieldType::Decimal));
}

int main(int argc, char** argv)
{
    // A zone whose clocks go forward in the night, whatever the machine's own.
    qputenv("TZ", QByteArrayLiteral("Europe/Berlin"));
    tzset();
    QCoreApplication application(argc, argv);
    TestDatasetRoundTrip test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_dataset_roundtrip.moc"
