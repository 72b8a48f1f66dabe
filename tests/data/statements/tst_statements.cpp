#include "credentials/PasswordDigest.h"
#include "data/Connection.h"
#include "data/DatabaseError.h"
#include "data/ResultCursor.h"
#include "server/UserAdmin.h"
#include "tests/support/ExpectedStatements.h"
#include "tests/support/ScheduleFixture.h"
#include "tests/support/TestInstallation.h"

#include <QTest>

using namespace zeb;
using namespace expected;

namespace {

QString sorted(const QString& values)
{
    QStringList list = values.split(QLatin1Char(','), Qt::SkipEmptyParts);
    std::sort(list.begin(), list.end(),
              [](const QString& a, const QString& b) { return a.toInt() < b.toInt(); });
    return list.join(QLatin1Char(','));
}

QString facultyDepartmentsWithWithdrawn(int faculty)
{
    return QStringLiteral(
               "SELECT    dbo.kafedra.f1, dbo.Vakansii.id_faculty, dbo.Vakansii.id_kafedra FROM      "
               "dbo.Vakansii INNER JOIN           dbo.kafedra ON dbo.Vakansii.id_kafedra = "
               "dbo.kafedra.id_kafedra GROUP BY  dbo.kafedra.f1, dbo.Vakansii.id_faculty, "
               "dbo.Vakansii.id_kafedra  HAVING    (dbo.Vakansii.id_faculty = ") +
           QString::number(faculty) + QStringLiteral(") order by dbo.kafedra.f1");
}

} // namespace

// Every statement text the client sends, run through the connection layer on both engines.
class TestStatements : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void reading_data();
    void reading();
    void emptyResultsCarryTheirColumns_data();
    void emptyResultsCarryTheirColumns();
    void changes_data();
    void changes();
    void signInProcedure_data();
    void signInProcedure();

private:
    void addEngineRows(const char* name, const QString& statement, const QString& column,
                       const QString& expected);
    Connection& connection(const QString& engine);
    TestInstallation& installation(const QString& engine);

    std::unique_ptr<TestInstallation> m_sqlite;
    std::unique_ptr<TestInstallation> m_postgres;
    std::unique_ptr<Connection> m_sqliteConnection;
    std::unique_ptr<Connection> m_postgresConnection;
};

void TestStatements::initTestCase()
{
    m_sqlite = std::make_unique<TestInstallation>(EngineKind::Sqlite);
    m_postgres = std::make_unique<TestInstallation>(EngineKind::Postgres);
    m_sqliteConnection = m_sqlite->signedInConnection();
    m_postgresConnection = m_postgres->signedInConnection();
    loadScheduleFixture(*m_sqliteConnection);
    loadScheduleFixture(*m_postgresConnection);
}

TestInstallation& TestStatements::installation(const QString& engine)
{
    return engine == QLatin1String("sqlite") ? *m_sqlite : *m_postgres;
}

Connection& TestStatements::connection(const QString& engine)
{
    return engine == QLatin1String("sqlite") ? *m_sqliteConnection : *m_postgresConnection;
}

void TestStatements::addEngineRows(const char* name, const QString& statement, const QString& column,
                                   const QString& expected)
{
    for (const char* engine : {"sqlite", "pg"}) {
        QTest::addRow("%s %s", engine, name)
            << QString::fromLatin1(engine) << statement << column << expected;
    }
}

void TestStatements::reading_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");

    addEngineRows("divisions in use, withdrawn-only division listed", divisionsInUse(),
                  QStringLiteral("id_otdel_1"), QStringLiteral("5,1"));
    addEngineRows("all divisions by name", QStringLiteral("Select * from Otdel_1 order by Otdel_1"),
                  QStringLiteral("id_otdel_1"), QStringLiteral("5,1,3,4,2"));
    addEngineRows("sub-levels of a division", subLevels(1), QStringLiteral("otdel_11"), QStringLiteral("2"));
    addEngineRows("division lines: no withdrawn, no NULL id_deduce, unnumbered first",
                  QStringLiteral("Select * from Vakansii  where id_otdel_1=1 and id_otdel_11 is null and "
                                 "id_deduce<>2 ORDER BY Num"),
                  QStringLiteral("id_vakansiya"), QStringLiteral("2,1"));
    addEngineRows(
        "sub-level lines",
        QStringLiteral("Select * from Vakansii where id_otdel_1=1 and id_otdel_11=2 and id_deduce<>2 "
                       "ORDER BY Num"),
        QStringLiteral("id_vakansiya"), QStringLiteral("5"));
    addEngineRows("level-2 divisions of a faculty", levelTwoDivisions(1), QStringLiteral("id_otdel_2"),
                  QStringLiteral("3"));
    addEngineRows("departments of a faculty, withdrawn left out", facultyDepartments(1),
                  QStringLiteral("id_kafedra"), QStringLiteral("1"));
    addEngineRows("departments of a faculty, withdrawn counted", facultyDepartmentsWithWithdrawn(1),
                  QStringLiteral("id_kafedra"), QStringLiteral("1,2"));
    addEngineRows(
        "faculty lines outside its units",
        QStringLiteral("Select * from Vakansii where ID_Faculty=1 and id_kafedra is null and id_otdel_2 is "
                       "null and id_deduce<>2 ORDER BY Num"),
        QStringLiteral("id_vakansiya"), QStringLiteral("6"));
    addEngineRows(
        "level-2 division lines",
        QStringLiteral("Select * from Vakansii where id_otdel_2=3 and id_faculty=1 and id_deduce<>2  "
                       "ORDER BY Num"),
        QStringLiteral("id_vakansiya"), QStringLiteral("7"));
    addEngineRows(
        "department lines",
        QStringLiteral("Select * from Vakansii where ID_kafedra=1 and id_faculty=1 and id_deduce<>2 "
                       "ORDER BY Num"),
        QStringLiteral("id_vakansiya"), QStringLiteral("8"));
    addEngineRows("employee with id_leave 4", employeesOn(1), QStringLiteral("id_vakansiya"),
                  QStringLiteral("1"));
    addEngineRows("employee with another id_leave", employeesOn(5), QStringLiteral("id_vakansiya"),
                  QString());
    addEngineRows("employee without id_leave", employeesOn(8), QStringLiteral("id_vakansiya"),
                  QStringLiteral("8"));
    addEngineRows("report address",
                  QStringLiteral("Select *  FROM [ZEB].[dbo].[VuzDefaults] Where id_vuz_defaults=22"),
                  QStringLiteral("n_field"), QStringLiteral("http://reports.local"));
    addEngineRows("departments by name", QStringLiteral("Select * from Kafedra order by f1"),
                  QStringLiteral("id_kafedra"), QStringLiteral("1,2,3"));
    addEngineRows("faculties", QStringLiteral("select * from Faculty"), QStringLiteral("p23-2"),
                  QStringLiteral("Физико-математический,Экономический"));
    addEngineRows("posts", QStringLiteral("select * from post"), QStringLiteral("id_post"),
                  QStringLiteral("1,2"));
    addEngineRows("institutions", QStringLiteral("Select * from vuz"), QStringLiteral("v2"),
                  QStringLiteral("Университет"));
    addEngineRows("entry kinds", QStringLiteral("select * from Enter"), QStringLiteral("enter"),
                  QStringLiteral("Штатная,Вакантная,Временная,Совместительство"));
    addEngineRows("withdrawal kinds", QStringLiteral("Select * from Deduce"), QStringLiteral("id_deduce"),
                  QStringLiteral("1,2,3"));
    addEngineRows("staff categories table", QStringLiteral("select * from Structure"),
                  QStringLiteral("Structure"), QStringLiteral("ППС,УВП,АУП,ПОП,Пр."));
    addEngineRows("funding sources table", QStringLiteral("select * from bk"), QStringLiteral("name"),
                  QStringLiteral("Бюджет,Внебюдж.,Грант"));
    addEngineRows("employees", QStringLiteral("select * from Working"), QStringLiteral("id_leave"),
                  QStringLiteral("4,1,null"));
    addEngineRows("rates", QStringLiteral("select * from Stavka"), QStringLiteral("stavka"), QString());
    addEngineRows("teachers", QStringLiteral("select * from teacher"), QStringLiteral("id_teacher"),
                  QString());
    addEngineRows("names", QStringLiteral("select * from t_fio"), QStringLiteral("id_teacher"), QString());
    addEngineRows("doubled quotes come back single",
                  QStringLiteral("select e_n_p from Vakansii where Num=1 and "
                                 "id_kafedra=1"),
                  QStringLiteral("e_n_p"), QStringLiteral("Приказ 'А'"));
}

void TestStatements::reading()
{
    QFETCH(QString, engine);
    QFETCH(QString, statement);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    QCOMPARE(columnValues(connection(engine), statement, column), expected);
}

void TestStatements::emptyResultsCarryTheirColumns_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addColumn<QString>("statement");
    QTest::addColumn<QString>("column");
    QTest::addColumn<QString>("expected");

    addEngineRows("schedule design statement", QStringLiteral("select top(0) vakansii.* from vakansii"),
                  QStringLiteral("descr"), QStringLiteral("22"));
    addEngineRows("schedule after a tab switch", QStringLiteral("Select TOP(0)Vakansii.*  from Vakansii "),
                  QStringLiteral("Num"), QStringLiteral("22"));
    addEngineRows("level-2 design statement without a table",
                  QStringLiteral("select top(0) null AS otdel_1, 0 AS id_faculty, 0 AS id_otdel_2"),
                  QStringLiteral("id_otdel_2"), QStringLiteral("3"));
    addEngineRows("sub-level design statement", QStringLiteral("select top(0) Otdel_1.* from Otdel_1"),
                  QStringLiteral("otdel_1"), QStringLiteral("2"));
}

void TestStatements::emptyResultsCarryTheirColumns()
{
    QFETCH(QString, engine);
    QFETCH(QString, statement);
    QFETCH(QString, column);
    QFETCH(QString, expected);
    std::unique_ptr<ResultCursor> rows = connection(engine).query(statement);
    QCOMPARE(QString::number(rows->columns().size()), expected);
    QVERIFY(std::any_of(rows->columns().begin(), rows->columns().end(), [&](const ColumnInfo& info) {
        return info.name.compare(column, Qt::CaseInsensitive) == 0;
    }));
    QVERIFY(!rows->next());
}

void TestStatements::changes_data()
{
    QTest::addColumn<QString>("engine");
    QTest::addRow("sqlite") << QStringLiteral("sqlite");
    QTest::addRow("pg") << QStringLiteral("pg");
}

// One pass through the statements that change data, in the order a user would meet them.
void TestStatements::changes()
{
    QFETCH(QString, engine);
    Connection& db = connection(engine);
    const QString newLineDeduce = QStringLiteral("select id_deduce from Vakansii where id_vakansiya = %1");

    db.execute(QStringLiteral("Insert into Vakansii (id_post, id_Otdel_11,id_Otdel_1 ) values(1, 4,1)"));
    QCOMPARE(columnValues(db, newLineDeduce.arg(12), QStringLiteral("id_deduce")), QStringLiteral("1"));
    QCOMPARE(sorted(columnValues(db, subLevels(1), QStringLiteral("otdel_11"))), QStringLiteral("2,4"));

    db.execute(QStringLiteral("Insert into Vakansii (id_post, id_Otdel_2,id_faculty) values(1, 4,1)"));
    QCOMPARE(columnValues(db, levelTwoDivisions(1), QStringLiteral("id_otdel_2")), QStringLiteral("3,4"));

    db.execute(QStringLiteral("Insert into Vakansii (id_post, id_Otdel_1) values(1,3)"));
    QCOMPARE(columnValues(db, divisionsInUse(), QStringLiteral("id_otdel_1")), QStringLiteral("5,1,3"));

    db.execute(QStringLiteral("Insert into Vakansii (id_post, id_kafedra,id_faculty) values(1,3,1)"));
    QCOMPARE(columnValues(db, facultyDepartments(1), QStringLiteral("id_kafedra")), QStringLiteral("1,3"));

    db.execute(QStringLiteral("EXEC CopyKafedraOnKafedra @id_kafedraFrom = 1, @id_kafedraTo = 2, @zeb_user = "
                              "'kadry', @ip = 'PC\\127.0.0.1'"));
    QCOMPARE(columnValues(db, facultyDepartments(1), QStringLiteral("id_kafedra")), QStringLiteral("1,2,3"));
    std::unique_ptr<Engine> admin = installation(engine).adminEngine();
    QCOMPARE(firstValue(*admin, QStringLiteral("select comp from ZEB_LOG")).toString(),
             QStringLiteral("PC\\127.0.0.1"));
    QVERIFY_THROWS_EXCEPTION(
        DatabaseError,
        db.execute(QStringLiteral("EXEC CopyKafedraOnKafedra @id_kafedraFrom = 1, @id_kafedraTo = 99, "
                                  "@zeb_user = 'kadry', @ip = 'PC\\127.0.0.1'")));

    QCOMPARE(db.execute(QStringLiteral("Delete From Vakansii Where id_vakansiya in (12,13)")), 2);
    QVERIFY_THROWS_EXCEPTION(DatabaseError,
                             db.execute(QStringLiteral("Delete From Vakansii Where id_vakansiya in ()")));
    QVERIFY_THROWS_EXCEPTION(DatabaseError,
                             db.execute(QStringLiteral("Delete From Vakansii Where id_vakansiya in (1)")));
    QCOMPARE(columnValues(db, QStringLiteral("select id_vakansiya from Vakansii where id_vakansiya = 1"),
                          QStringLiteral("id_vakansiya")),
             QStringLiteral("1"));

    QVERIFY_THROWS_EXCEPTION(DatabaseError,
                             db.execute(QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =3")));
    db.execute(QStringLiteral("insert into Kafedra (f1) values ('Кафедра истории')"));
    QCOMPARE(db.execute(QStringLiteral("Delete From kafedra Where kafedra.id_kafedra =4")), 1);
    db.execute(QStringLiteral(
        "INSERT INTO ZEB_LOG([table], [row_id], [descr], [ZEB_User], [comp]) VALUES('kafedra', 4, "
        "'Запись с уникальным номером - 4 была удалена.(id_kafedra = [4])' , 'o''brien', "
        "'PC\\127.0.0.1')"));
    QCOMPARE(firstValue(*admin, QStringLiteral("select ZEB_User from ZEB_LOG where row_id = 4")).toString(),
             QStringLiteral("o'brien"));

    db.execute(QStringLiteral("SET DATEFORMAT dmy"));
    db.execute(
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, e_d_p) values (2, 5, '03.12.2024')"));
    std::unique_ptr<ResultCursor> rows =
        db.query(QStringLiteral("select e_d_p from Vakansii where id_otdel_1 = 5 and e_d_p is not null"));
    QVERIFY(rows->next());
    QCOMPARE(rows->value(0).toDateTime().date(), QDate(2024, 12, 3));
    rows.reset();

    QVERIFY_THROWS_EXCEPTION(DatabaseError, db.query(QStringLiteral("select * from no_such_table")));
}

void TestStatements::signInProcedure_data()
{
    changes_data();
}

// The sign-in statement as the dialog builds it, on the settings file's account.
void TestStatements::signInProcedure()
{
    QFETCH(QString, engine);
    {
        std::unique_ptr<Engine> admin = installation(engine).adminEngine();
        UserAdmin(*admin).add(QStringLiteral("kadry"), QStringLiteral("kadry123"), false);
    }
    std::unique_ptr<Connection> signin = installation(engine).settingsConnection();
    const QString statement =
        QStringLiteral("EXEC GET_USER 'KADRY ','%1',NULL, 'ZEB 7', '127.0.0.1', 'PC-07', "
                       "'KADRY ','0','4'")
            .arg(passwordDigest(QStringLiteral("kadry123")));
    std::unique_ptr<ResultCursor> answer = signin->query(statement);
    QCOMPARE(answer->columns().size(), 8);
    QVERIFY(answer->next());
    QVERIFY(answer->isNull(4));
    QCOMPARE(answer->toInt64(5), 1);
    QVERIFY(answer->isNull(6));
    QVERIFY(answer->isNull(7));
    QVERIFY(!answer->toText(0).isEmpty());
    QVERIFY(!answer->next());
}

QTEST_GUILESS_MAIN(TestStatements)
#include "tst_statements.moc"
