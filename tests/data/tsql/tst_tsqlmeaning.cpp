#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "tests/support/EngineRows.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <QTest>
#include <map>

using namespace zeb;

namespace {

// Department names that tell the LIKE rules apart, in the order of their keys.
const char* const departmentNames[] = {"C:\\dir", "50%",     "50 лет",          "a_b", "axb",
                                       "Кафедра", "КАФЕДРА", "кафедра истории", "[x]", "B"};

QVariant lineValue(Connection& connection, int line, const QString& column)
{
    std::unique_ptr<ResultCursor> rows = connection.query(
        QStringLiteral("select %1 from Vakansii where id_vakansiya = %2").arg(column).arg(line));
    return rows->next() ? rows->value(0) : QVariant(QStringLiteral("no line"));
}

int newestLine(Connection& connection)
{
    std::unique_ptr<ResultCursor> rows =
        connection.query(QStringLiteral("select max(id_vakansiya) from Vakansii"));
    return rows->next() ? int(rows->toInt64(0)) : 0;
}

// A schedule line entered on `entered` with an employee who came on `came`.
void addStaffedLine(Connection& connection, const char* descr, const char* entered, const char* came)
{
    connection.execute(QStringLiteral("insert into Vakansii (id_post, descr, e_d_p) values (1, '%1', '%2')")
                           .arg(QLatin1String(descr), QLatin1String(entered)));
    connection.execute(QStringLiteral("insert into Working (id_vakansiya, date_come) values (%1, '%2')")
                           .arg(newestLine(connection))
                           .arg(QLatin1String(came)));
}

} // namespace

// The client's statements mean on both engines what they mean on the server: a date literal is a date only
// where a date column takes it, and LIKE matches the same rows.
class TestTsqlMeaning : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void literalsKeepTheirMeaning_data();
    void literalsKeepTheirMeaning();
    void likeMatchesAsOnTheServer_data();
    void likeMatchesAsOnTheServer();
    void aliasesKeepToTheirSubquery_data();
    void aliasesKeepToTheirSubquery();

private:
    std::map<EngineKind, std::unique_ptr<TestInstallation>> m_installations;
    std::map<EngineKind, std::unique_ptr<Connection>> m_connections;
};

void TestTsqlMeaning::initTestCase()
{
    for (const auto& [name, engine] : installableEngines) {
        m_installations[engine] = std::make_unique<TestInstallation>(engine);
        m_connections[engine] = m_installations[engine]->signedInConnection();
        for (const char* department : departmentNames)
            m_connections[engine]->execute(
                QStringLiteral("insert into Kafedra (f1) values (N'%1')").arg(QString::fromUtf8(department)));
        addStaffedLine(*m_connections[engine], "scope A", "01.02.2024", "15.01.2024");
        addStaffedLine(*m_connections[engine], "scope B", "01.06.2024", "15.07.2024");
    }
}

void TestTsqlMeaning::literalsKeepTheirMeaning_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QVariant>("stored");

    for (const auto& [name, engine] : installableEngines) {
        const auto row = [&](const char* rowName, const char* column, const char* literal, QVariant stored) {
            QTest::addRow("%s %s", name, rowName)
                << engine << QString::fromLatin1(column) << QString::fromUtf8(literal) << stored;
        };
        row("order number with slashes", "e_n_p", "12/05/23", QStringLiteral("12/05/23"));
        row("order number with dots", "d_n_p", "1.2.34", QStringLiteral("1.2.34"));
        row("note that reads as a date", "descr", "31.12.2024 10:30", QStringLiteral("31.12.2024 10:30"));
        row("entry date", "e_d_p", "03.12.2024", QDateTime(QDate(2024, 12, 3), QTime(0, 0)));
        row("withdrawal date with a two-digit year", "d_d_p", "1.2.50",
            QDateTime(QDate(1950, 2, 1), QTime(0, 0)));
        row("withdrawal date and time", "d_d_p", "1.2.2025 9:05", QDateTime(QDate(2025, 2, 1), QTime(9, 5)));
        row("save date given a time", "ZEB_Update", "05.06.2024 10:30", QDate(2024, 6, 5));
    }
}

// Written by INSERT and by UPDATE, read back, and found again by comparisons with the same literal.
void TestTsqlMeaning::literalsKeepTheirMeaning()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, column);
    QFETCH(QString, literal);
    QFETCH(QVariant, stored);
    Connection& db = *m_connections.at(engine);
    const auto compare = [&](const QVariant& actual) {
        if (stored.typeId() == QMetaType::QString)
            QCOMPARE(actual.toString(), stored.toString());
        else if (stored.typeId() == QMetaType::QDate)
            QCOMPARE(actual.toDate(), stored.toDate());
        else
            QCOMPARE(actual.toDateTime(), stored.toDateTime());
    };

    db.execute(QStringLiteral("insert into Vakansii (id_post, %1) values (1, '%2')").arg(column, literal));
    const int line = newestLine(db);
    compare(lineValue(db, line, column));
    if (QTest::currentTestFailed())
        return;

    db.execute(QStringLiteral("update Vakansii set %1 = null where id_vakansiya = %2").arg(column).arg(line));
    db.execute(QStringLiteral("update Vakansii set %1 = '%2' where id_vakansiya = %3")
                   .arg(column, literal)
                   .arg(line));
    compare(lineValue(db, line, column));
    if (QTest::currentTestFailed())
        return;

    const QString found = QString::number(line);
    for (const char* condition :
         {"%1 = '%2'", "'%2' = %1", "%1 between '%2' and '%2'", "%1 in ('%2', null)"}) {
        const QString where = QString::fromLatin1(condition).arg(column, literal);
        QCOMPARE(columnValues(db, QStringLiteral("select id_vakansiya from Vakansii where ") + where,
                              QStringLiteral("id_vakansiya")),
                 found);
    }
    QCOMPARE(columnValues(
                 db,
                 QStringLiteral("select id_vakansiya from Vakansii where id_vakansiya = %1 and %2 <> '%3'")
                     .arg(found, column, literal),
                 QStringLiteral("id_vakansiya")),
             QString());
}

void TestTsqlMeaning::likeMatchesAsOnTheServer_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("condition");
    QTest::addColumn<QString>("departments");

    const char* const cases[][3] = {
        {"backslash before a wildcard", "f1 like 'C:\\%'", "C:\\dir"},
        {"backslash before a letter", "f1 like 'C:\\dir'", "C:\\dir"},
        {"percent sign in brackets", "f1 like '50[%]'", "50%"},
        {"percent wildcard", "f1 like '50%'", "50%,50 лет"},
        {"underscore in brackets", "f1 like 'a[_]b'", "a_b"},
        {"underscore wildcard", "f1 like 'a_b'", "a_b,axb"},
        {"Cyrillic in another case", "f1 like N'кафедра'", "Кафедра,КАФЕДРА"},
        {"Cyrillic capitals before a wildcard", "f1 like 'КАФЕДРА%'", "Кафедра,КАФЕДРА,кафедра истории"},
        {"set of letters", "f1 like '[кa]%'", "a_b,axb,Кафедра,КАФЕДРА,кафедра истории"},
        {"negated set", "f1 like '[^к5]%'", "C:\\dir,a_b,axb,[x],B"},
        {"range in another case", "f1 like '[a-b]'", "B"},
        {"opening bracket in brackets", "f1 like '[[]x]'", "[x]"},
        {"escape character", "f1 like 'a!_b' escape '!'", "a_b"},
        {"NOT LIKE", "f1 not like '%[аa]%'", "C:\\dir,50%,50 лет,[x],B"},
        {"pattern from a column", "f1 like f1 and f1 not like '%[[]%'",
         "C:\\dir,50%,50 лет,a_b,axb,Кафедра,КАФЕДРА,кафедра истории,B"},
    };
    for (const auto& [name, engine] : installableEngines) {
        for (const auto& [rowName, condition, departments] : cases)
            QTest::addRow("%s %s", name, rowName)
                << engine << QString::fromUtf8(condition) << QString::fromUtf8(departments);
    }
}

void TestTsqlMeaning::likeMatchesAsOnTheServer()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, condition);
    QFETCH(QString, departments);
    QCOMPARE(
        columnValues(*m_connections.at(engine),
                     QStringLiteral("select f1 from Kafedra where %1 order by id_kafedra").arg(condition),
                     QStringLiteral("f1")),
        departments);
}

void TestTsqlMeaning::aliasesKeepToTheirSubquery_data()
{
    QTest::addColumn<EngineKind>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("lines");

    // Line A entered 01.02.2024, its employee came 15.01.2024; line B 01.06.2024 and 15.07.2024.
    const char* const cases[][3] = {
        {"one alias for two tables in two subqueries",
         "select descr from Vakansii where descr like 'scope %' and id_vakansiya in (select f.id_vakansiya "
         "from Working f where f.date_come <= '01.03.2024') and id_vakansiya in (select f.id_vakansiya from "
         "Vakansii f where f.e_d_p <= '01.03.2024')",
         "scope A"},
        {"inner alias hides the outer one",
         "select f.descr from Vakansii f where f.descr like 'scope %' and exists (select 1 from Working f "
         "where f.date_come <= '01.02.2024') and f.e_d_p >= '01.03.2024'",
         "scope B"},
        {"correlated subquery reads the outer alias",
         "select f.descr from Vakansii f where f.descr like 'scope %' and exists (select 1 from Working w "
         "where w.id_vakansiya = f.id_vakansiya and f.e_d_p <= '01.03.2024') and f.id_vakansiya in (select "
         "f.id_vakansiya from Working f where f.date_come <= '01.02.2024')",
         "scope A"},
    };
    for (const auto& [name, engine] : installableEngines) {
        for (const auto& [rowName, statement, lines] : cases)
            QTest::addRow("%s %s", name, rowName)
                << engine << QString::fromUtf8(statement) << QString::fromUtf8(lines);
    }
}

// Each subquery's dates are compared as dates, though another part of the statement gives the alias to
// another table.
void TestTsqlMeaning::aliasesKeepToTheirSubquery()
{
    QFETCH(EngineKind, engine);
    QFETCH(QString, statement);
    QFETCH(QString, lines);
    QCOMPARE(columnValues(*m_connections.at(engine), statement, QStringLiteral("descr")), lines);
}

QTEST_GUILESS_MAIN(TestTsqlMeaning)
#include "tst_tsqlmeaning.moc"
