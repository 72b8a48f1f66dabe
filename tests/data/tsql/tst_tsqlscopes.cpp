#include "data/tsql/TsqlRewriter.h"

#include <QTest>

using namespace zeb;

namespace {

// The catalog's types of the columns these statements name.
TsqlColumnTypes columnTypes()
{
    TsqlColumnTypes types;
    const auto add = [&types](const char* table, const char* column, FieldType type) {
        types.add(QString::fromLatin1(table), QString::fromLatin1(column), type);
    };
    for (const char* table : {"Vakansii", "Working", "Vakansii_history"})
        add(table, "id_vakansiya", FieldType::Integer);
    add("Vakansii", "id_post", FieldType::Integer);
    add("Vakansii", "id_faculty", FieldType::Integer);
    add("Vakansii", "e_d_p", FieldType::DateTime);
    add("Vakansii", "d_d_p", FieldType::DateTime);
    add("Working", "date_come", FieldType::DateTime);
    add("Faculty", "id_faculty", FieldType::Integer);
    add("Vakansii_history", "changed", FieldType::DateTime);
    return types;
}

QString rewriteFor(TsqlTarget target, const QString& tsql)
{
    TsqlRewriter rewriter(target, columnTypes);
    rewriter.rewrite(QStringLiteral("SET DATEFORMAT dmy"));
    return rewriter.rewrite(tsql).sql;
}

} // namespace

// Which table a column name means, where subqueries name their own tables and aliases.
class TestTsqlScopes : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void namesKeepToTheirSubquery_data();
    void namesKeepToTheirSubquery();
};

void TestTsqlScopes::namesKeepToTheirSubquery_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sql");

    const auto row = [](const char* name, const char* tsql, const char* sql) {
        QTest::newRow(name) << QString::fromUtf8(tsql) << QString::fromUtf8(sql);
    };
    row("one alias for two tables, the date column's first",
        "select * from Vakansii where id_vakansiya in (select f.id_vakansiya from Vakansii_history f where "
        "f.changed <= '1.3.2024') and id_faculty in (select f.id_faculty from Faculty f)",
        "select * from Vakansii where id_vakansiya in (select f.id_vakansiya from Vakansii_history f where "
        "f.changed <= '2024-03-01 00:00:00') and id_faculty in (select f.id_faculty from Faculty f)");
    row("one alias for two tables, each with a date",
        "select * from Vakansii where id_vakansiya in (select f.id_vakansiya from Working f where "
        "f.date_come >= '1.2.2024') and id_vakansiya in (select f.id_vakansiya from Vakansii_history f where "
        "f.changed <= '1.3.2024')",
        "select * from Vakansii where id_vakansiya in (select f.id_vakansiya from Working f where "
        "f.date_come >= '2024-02-01 00:00:00') and id_vakansiya in (select f.id_vakansiya from "
        "Vakansii_history f where f.changed <= '2024-03-01 00:00:00')");
    row("inner alias hides the outer one",
        "select * from Vakansii f where exists (select 1 from Working f where f.date_come >= '1.2.2024') and "
        "f.e_d_p <= '1.3.2024'",
        "select * from Vakansii f where exists (select 1 from Working f where f.date_come >= '2024-02-01 "
        "00:00:00') and f.e_d_p <= '2024-03-01 00:00:00'");
    row("nested correlated subquery reads the outer alias",
        "select * from Vakansii f where exists (select 1 from Working w where exists (select 1 from "
        "Vakansii_history h where h.id_vakansiya = w.id_vakansiya and f.e_d_p <= '1.3.2024')) and "
        "f.id_vakansiya in (select f.id_vakansiya from Working f)",
        "select * from Vakansii f where exists (select 1 from Working w where exists (select 1 from "
        "Vakansii_history h where h.id_vakansiya = w.id_vakansiya and f.e_d_p <= '2024-03-01 00:00:00')) and "
        "f.id_vakansiya in (select f.id_vakansiya from Working f)");
    row("unqualified column of the outer table",
        "select * from Vakansii where exists (select 1 from Working where date_come >= '1.2.2024' and e_d_p "
        "<= '1.3.2024')",
        "select * from Vakansii where exists (select 1 from Working where date_come >= '2024-02-01 00:00:00' "
        "and e_d_p <= '2024-03-01 00:00:00')");
    row("unqualified column of another subquery's table",
        "select * from Vakansii where id_vakansiya in (select id_vakansiya from Working where date_come >= "
        "'1.2.2024') and id_post in (select id_post from Unknown where date_come = '1.2.2024')",
        "select * from Vakansii where id_vakansiya in (select id_vakansiya from Working where date_come >= "
        "'2024-02-01 00:00:00') and id_post in (select id_post from Unknown where date_come = '1.2.2024')");
    row("subquery in FROM names its alias outside",
        "select * from Vakansii v where v.id_vakansiya in (select f.id_vakansiya from (select * from Working "
        "f where f.date_come >= '1.2.2024') as f where f.date_come <= '1.3.2024') and exists (select 1 from "
        "Vakansii_history f where f.changed >= '1.2.2024')",
        "select * from Vakansii v where v.id_vakansiya in (select f.id_vakansiya from (select * from Working "
        "f where f.date_come >= '2024-02-01 00:00:00') as f where f.date_come <= '2024-03-01 00:00:00') and "
        "exists (select 1 from Vakansii_history f where f.changed >= '2024-02-01 00:00:00')");
    row("UPDATE names the alias of its FROM",
        "update f set e_d_p = '1.2.2024' from Vakansii f where f.d_d_p <= '1.3.2024' and f.id_vakansiya in "
        "(select f.id_vakansiya from Working f)",
        "update f set e_d_p = '2024-02-01 00:00:00' from Vakansii f where f.d_d_p <= '2024-03-01 00:00:00' "
        "and f.id_vakansiya in (select f.id_vakansiya from Working f)");
    row("unqualified column of a subquery in FROM",
        "select * from (select w.id_vakansiya, date_come from Working w) w where date_come <= '1.3.2024'",
        "select * from (select w.id_vakansiya, date_come from Working w) w where date_come <= '2024-03-01 "
        "00:00:00'");
}

// A date literal is translated only when the column it meets is known to be a date where it stands.
void TestTsqlScopes::namesKeepToTheirSubquery()
{
    QFETCH(QString, tsql);
    QFETCH(QString, sql);

    QCOMPARE(rewriteFor(TsqlTarget::Sqlite, tsql), sql);
    QCOMPARE(rewriteFor(TsqlTarget::Postgres, tsql), sql);
}

QTEST_GUILESS_MAIN(TestTsqlScopes)
#include "tst_tsqlscopes.moc"
