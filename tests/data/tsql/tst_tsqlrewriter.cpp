#include "data/tsql/TsqlRewriter.h"
#include "data/tsql/TsqlTokenizer.h"
#include "tests/data/tsql/ClientStatements.h"
#include "tests/data/tsql/SqliteSchema.h"

#include <QTest>

using namespace zeb;

namespace {

// The types of the columns these statements name, as the engine's catalog gives them.
TsqlColumnTypes clientColumnTypes()
{
    TsqlColumnTypes types;
    const QString schedule = QStringLiteral("Vakansii");
    for (const char* column : {"id_vakansiya", "id_post", "Num", "e_n_p", "d_n_p", "descr"})
        types.add(schedule, QString::fromLatin1(column), FieldType::Text);
    types.add(schedule, QStringLiteral("e_d_p"), FieldType::DateTime);
    types.add(schedule, QStringLiteral("d_d_p"), FieldType::DateTime);
    types.add(schedule, QStringLiteral("ZEB_Update"), FieldType::Date);
    types.add(QStringLiteral("Working"), QStringLiteral("id_vakansiya"), FieldType::Integer);
    types.add(QStringLiteral("Working"), QStringLiteral("date_come"), FieldType::DateTime);
    types.add(QStringLiteral("Kafedra"), QStringLiteral("f1"), FieldType::Text);
    return types;
}

QString rewriteAfter(TsqlTarget target, const QString& dateFormat, const QString& tsql)
{
    TsqlRewriter rewriter(target, clientColumnTypes);
    if (!dateFormat.isEmpty())
        rewriter.rewrite(QStringLiteral("SET DATEFORMAT ") + dateFormat);
    const RewrittenStatement statement = rewriter.rewrite(tsql);
    if (statement.kind != RewrittenStatement::Kind::Sql)
        return QStringLiteral("<not an SQL statement>");
    return statement.sql;
}

QString rewriteFor(TsqlTarget target, const QString& tsql)
{
    return rewriteAfter(target, {}, tsql);
}

QString describe(const TsqlToken& token)
{
    switch (token.type) {
    case TsqlToken::Type::Identifier:
        return QStringLiteral("name:") + token.value;
    case TsqlToken::Type::QuotedIdentifier:
        return QStringLiteral("quoted:") + token.value;
    case TsqlToken::Type::String:
        return (token.national ? QStringLiteral("nstring:") : QStringLiteral("string:")) + token.value;
    case TsqlToken::Type::Number:
        return QStringLiteral("number:") + token.text;
    case TsqlToken::Type::Variable:
        return QStringLiteral("variable:") + token.text;
    case TsqlToken::Type::Symbol:
        return QStringLiteral("symbol:") + token.text;
    case TsqlToken::Type::Comment:
        return QStringLiteral("comment:") + token.text;
    case TsqlToken::Type::Unterminated:
        return QStringLiteral("unterminated:") + token.text;
    case TsqlToken::Type::Whitespace:
        break;
    }
    return QStringLiteral("blank");
}

} // namespace

class TestTsqlRewriter : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void tokenizer_data();
    void tokenizer();
    void clientStatements_data();
    void clientStatements();
    void edgeCases_data();
    void edgeCases();
    void procedureCalls_data();
    void procedureCalls();
    void setDateFormat();
    void dateLiterals_data();
    void dateLiterals();
    void datesOnlyWhereDatesAreMeant_data();
    void datesOnlyWhereDatesAreMeant();
    void like_data();
    void like();
    void transactions_data();
    void transactions();
    void sqliteRunsClientStatements_data();
    void sqliteRunsClientStatements();
    void topPercentTakesCeilingOfRows_data();
    void topPercentTakesCeilingOfRows();
};

void TestTsqlRewriter::tokenizer_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QStringList>("tokens");

    QTest::newRow("names, brackets and quotes")
        << QStringLiteral("select [a]]b],\"q\"\"r\" from Отдел")
        << QStringList{QStringLiteral("name:select"), QStringLiteral("quoted:a]b"),
                       QStringLiteral("symbol:,"),    QStringLiteral("quoted:q\"r"),
                       QStringLiteral("name:from"),   QStringLiteral("name:Отдел")};
    QTest::newRow("string literals") << QStringLiteral("'it''s'+N'Кафедра'+n'x'")
                                     << QStringList{QStringLiteral("string:it's"), QStringLiteral("symbol:+"),
                                                    QStringLiteral("nstring:Кафедра"),
                                                    QStringLiteral("symbol:+"), QStringLiteral("nstring:x")};
    QTest::newRow("numbers, operators and variables")
        << QStringLiteral("@id<>-1.5e3 and x>=.5 or @@rowcount!=0x1F")
        << QStringList{QStringLiteral("variable:@id"), QStringLiteral("symbol:<>"),
                       QStringLiteral("symbol:-"),     QStringLiteral("number:1.5e3"),
                       QStringLiteral("name:and"),     QStringLiteral("name:x"),
                       QStringLiteral("symbol:>="),    QStringLiteral("number:.5"),
                       QStringLiteral("name:or"),      QStringLiteral("variable:@@rowcount"),
                       QStringLiteral("symbol:!="),    QStringLiteral("number:0x1F")};
    QTest::newRow("comments") << QStringLiteral("a -- 'b [c\n/* x /* y */ z */d")
                              << QStringList{QStringLiteral("name:a"), QStringLiteral("comment:-- 'b [c"),
                                             QStringLiteral("comment:/* x /* y */ z */"),
                                             QStringLiteral("name:d")};
    QTest::newRow("open literal") << QStringLiteral("x = 'abc")
                                  << QStringList{QStringLiteral("name:x"), QStringLiteral("symbol:="),
                                                 QStringLiteral("unterminated:'abc")};
    QTest::newRow("open bracket") << QStringLiteral("[abc")
                                  << QStringList{QStringLiteral("unterminated:[abc")};
}

void TestTsqlRewriter::tokenizer()
{
    QFETCH(QString, tsql);
    QFETCH(QStringList, tokens);

    QString joined;
    QStringList described;
    for (const TsqlToken& token : tokenizeTsql(tsql)) {
        joined += token.text;
        if (token.type != TsqlToken::Type::Whitespace)
            described.append(describe(token));
    }
    QCOMPARE(joined, tsql);
    QCOMPARE(described, tokens);
}

void TestTsqlRewriter::clientStatements_data()
{
    addClientStatementRows();
}

void TestTsqlRewriter::clientStatements()
{
    QFETCH(QString, tsql);
    QFETCH(QString, sqlite);
    QFETCH(QString, postgres);

    QCOMPARE(rewriteFor(TsqlTarget::Sqlite, tsql), sqlite);
    QCOMPARE(rewriteFor(TsqlTarget::Postgres, tsql), postgres);
}

void TestTsqlRewriter::edgeCases_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("postgres");

    const QString literals =
        QStringLiteral("select * from Kafedra where f1 = 'top(0) [x] dbo.Kafedra -- ORDER BY it''s \"q\"'");
    QTest::newRow("literal that looks like SQL") << literals << literals << literals;
    QTest::newRow("national literal")
        << QStringLiteral("select * from Kafedra where f1 = N'Кафедра ''физики'''")
        << QStringLiteral("select * from Kafedra where f1 = 'Кафедра ''физики'''")
        << QStringLiteral("select * from Kafedra where f1 = 'Кафедра ''физики'''");
    QTest::newRow("brackets with ]] and quotes inside")
        << QStringLiteral("select [a]]b], [Col\"Q] from [Faculty]")
        << QStringLiteral("select \"a]b\", \"Col\"\"Q\" from \"Faculty\"")
        << QStringLiteral("select \"a]b\", \"col\"\"q\" from \"faculty\"");
    QTest::newRow("bracketed names with a dash")
        << QStringLiteral("select [p23-1], [P23-2] from Faculty order by [p23-1]")
        << QStringLiteral("select \"p23-1\", \"P23-2\" from Faculty order by \"p23-1\"")
        << QStringLiteral("select \"p23-1\", \"p23-2\" from Faculty order by \"p23-1\" NULLS FIRST");
    QTest::newRow("bracketed dbo") << QStringLiteral("select [dbo].[Kafedra].[f1] from [DBO].[Kafedra]")
                                   << QStringLiteral("select \"Kafedra\".\"f1\" from \"Kafedra\"")
                                   << QStringLiteral("select dbo.\"kafedra\".\"f1\" from dbo.\"kafedra\"");
    QTest::newRow("plain three-part name")
        << QStringLiteral("select n_field from ZEB.dbo.VuzDefaults where id_vuz_defaults=22")
        << QStringLiteral("select n_field from VuzDefaults where id_vuz_defaults=22")
        << QStringLiteral("select n_field from dbo.VuzDefaults where id_vuz_defaults=22");
    QTest::newRow("comments untouched")
        << QStringLiteral("select * from Kafedra -- top(1) [x] dbo.y 'q\n order by f1 /* [z] dbo.k */")
        << QStringLiteral("select * from Kafedra -- top(1) [x] dbo.y 'q\n order by f1 /* [z] dbo.k */")
        << QStringLiteral(
               "select * from Kafedra -- top(1) [x] dbo.y 'q\n order by f1 NULLS FIRST /* [z] dbo.k */");
    QTest::newRow("nested comment on SQLite")
        << QStringLiteral("select * from Kafedra /* a /* b */ c */ where f1 is null")
        << QStringLiteral("select * from Kafedra   where f1 is null")
        << QStringLiteral("select * from Kafedra /* a /* b */ c */ where f1 is null");
    QTest::newRow("limit before a trailing comment")
        << QStringLiteral("select top(1) * from Kafedra -- the first")
        << QStringLiteral("select * from Kafedra LIMIT 1 -- the first")
        << QStringLiteral("select * from Kafedra LIMIT 1 -- the first");
    QTest::newRow("TOP (n) with ORDER BY DESC and a semicolon")
        << QStringLiteral("SELECT TOP (5) f1 FROM Kafedra ORDER BY f1 DESC;")
        << QStringLiteral("SELECT f1 FROM Kafedra ORDER BY f1 DESC LIMIT 5;")
        << QStringLiteral("SELECT f1 FROM Kafedra ORDER BY f1 DESC NULLS LAST LIMIT 5;");
    QTest::newRow("DISTINCT TOP without parentheses")
        << QStringLiteral("select distinct top 3 f1 from Kafedra")
        << QStringLiteral("select distinct f1 from Kafedra LIMIT 3")
        << QStringLiteral("select distinct f1 from Kafedra LIMIT 3");
    QTest::newRow("TOP in a subquery")
        << QStringLiteral(
               "select * from Vakansii where id_kafedra in (select top(1) id_kafedra from Kafedra order "
               "by f1 desc) and id_deduce<>2")
        << QStringLiteral(
               "select * from Vakansii where id_kafedra in (select id_kafedra from Kafedra order by f1 "
               "desc LIMIT 1) and id_deduce<>2")
        << QStringLiteral(
               "select * from Vakansii where id_kafedra in (select id_kafedra from Kafedra order by f1 "
               "desc NULLS LAST LIMIT 1) and id_deduce<>2");
    QTest::newRow("percent with ORDER BY")
        << QStringLiteral("select top(50) percent * from Kafedra where f1 is not null order by f1")
        << QStringLiteral(
               "select * from Kafedra where f1 is not null order by f1 LIMIT (SELECT (count(*) * 50 + "
               "99) / 100 from Kafedra where f1 is not null)")
        << QStringLiteral("select * from Kafedra where f1 is not null order by f1 NULLS FIRST LIMIT (SELECT "
                          "(count(*) * 50 + 99) / 100 from Kafedra where f1 is not null)");
    QTest::newRow("percent of groups")
        << QStringLiteral("select top(10) percent id_faculty from Vakansii group by id_faculty")
        << QStringLiteral(
               "select id_faculty from Vakansii group by id_faculty LIMIT (SELECT (count(*) * 10 + 99) / "
               "100 FROM (SELECT 1 from Vakansii group by id_faculty) AS zeb_rows)")
        << QStringLiteral(
               "select id_faculty from Vakansii group by id_faculty LIMIT (SELECT (count(*) * 10 + 99) / "
               "100 FROM (SELECT 1 from Vakansii group by id_faculty) AS zeb_rows)");
    QTest::newRow("percent without FROM")
        << QStringLiteral("select top(100) percent 1 AS one")
        << QStringLiteral("select 1 AS one LIMIT (SELECT (count(*) * 100 + 99) / 100)")
        << QStringLiteral("select 1 AS one LIMIT (SELECT (count(*) * 100 + 99) / 100)");
    QTest::newRow("percent keeps a comment from swallowing the limit")
        << QStringLiteral("select top(1) percent * from Kafedra -- all\n where f1 is null")
        << QStringLiteral(
               "select * from Kafedra -- all\n where f1 is null LIMIT (SELECT (count(*) * 1 + 99) / 100 "
               "from Kafedra  \n where f1 is null)")
        << QStringLiteral(
               "select * from Kafedra -- all\n where f1 is null LIMIT (SELECT (count(*) * 1 + 99) / 100 "
               "from Kafedra  \n where f1 is null)");
    QTest::newRow("ORDER BY several items")
        << QStringLiteral(
               "select * from Vakansii order by id_faculty, Num desc, id_kafedra ASC, e_d_p nulls last, "
               "[descr] DESC")
        << QStringLiteral(
               "select * from Vakansii order by id_faculty, Num desc, id_kafedra ASC, e_d_p nulls last, "
               "\"descr\" DESC")
        << QStringLiteral(
               "select * from Vakansii order by id_faculty NULLS FIRST, Num desc NULLS LAST, id_kafedra "
               "ASC NULLS FIRST, e_d_p nulls last, \"descr\" DESC NULLS LAST");
    QTest::newRow("ORDER BY expressions")
        << QStringLiteral("select * from Vakansii order by coalesce(Num, 0) desc, (q_units)")
        << QStringLiteral("select * from Vakansii order by coalesce(Num, 0) desc, (q_units)")
        << QStringLiteral("select * from Vakansii order by coalesce(Num, 0) desc NULLS "
                          "LAST, (q_units) NULLS FIRST");
    const QString cyrillic = QStringLiteral("SELECT Отдел FROM Vakansii WHERE descr = 'Примечание: [важно]'");
    QTest::newRow("Cyrillic names and text") << cyrillic << cyrillic << cyrillic;
    const QString withTies = QStringLiteral("select top(1) with ties f1 from Kafedra");
    QTest::newRow("TOP WITH TIES is left") << withTies << withTies << withTies;
    const QString topVariable = QStringLiteral("select top(@n) f1 from Kafedra");
    QTest::newRow("TOP of a variable is left") << topVariable << topVariable << topVariable;
    const QString topUnion = QStringLiteral("select top(1) f1 from Kafedra union select f1 from Kafedra");
    QTest::newRow("TOP before UNION is left") << topUnion << topUnion << topUnion;
    const QString topColumn = QStringLiteral("select top from Kafedra");
    QTest::newRow("column named top") << topColumn << topColumn << topColumn;
    for (const char* call : {"EXEC @rc = GET_USER 'a'", "EXEC GET_USER @login", "EXEC GET_USER 'a' 'b'",
                             "EXEC CopyKafedraOnKafedra @id_kafedraFrom = 3, 5", "EXEC GET_USER 'a',",
                             "EXEC GET_USER 'a', DEFAULT", "EXEC('select 1')"}) {
        const QString text = QString::fromUtf8(call);
        QTest::newRow(call) << text << text << text;
    }
    QTest::newRow("empty") << QString() << QString() << QString();
    QTest::newRow("blank") << QStringLiteral("  \n\t ") << QStringLiteral("  \n\t ")
                           << QStringLiteral("  \n\t ");
    const QString openLiteral = QStringLiteral("select * from Kafedra where f1 = N'abc");
    QTest::newRow("open literal") << openLiteral << openLiteral << openLiteral;
    const QString openBracket = QStringLiteral("select [f1 from Kafedra");
    QTest::newRow("open bracket") << openBracket << openBracket << openBracket;
}

void TestTsqlRewriter::edgeCases()
{
    clientStatements();
}

void TestTsqlRewriter::procedureCalls_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("argumentNames");
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QString>("postgres");

    const QStringList positional(9);
    QTest::newRow("sign-in")
        << QStringLiteral(
               "EXEC GET_USER 'ivanov','D41D8CD98F00B204E9800998ECF8427E',NULL, 'ZEB 7', '192.168.1.15', "
               "'PC-07', 'ivanov','0','4'")
        << QStringLiteral("GET_USER") << positional
        << QVariantList{QStringLiteral("ivanov"),
                        QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"),
                        QVariant(),
                        QStringLiteral("ZEB 7"),
                        QStringLiteral("192.168.1.15"),
                        QStringLiteral("PC-07"),
                        QStringLiteral("ivanov"),
                        QStringLiteral("0"),
                        QStringLiteral("4")}
        << QStringLiteral("SELECT * FROM dbo.get_user('ivanov', 'D41D8CD98F00B204E9800998ECF8427E', NULL, "
                          "'ZEB 7', '192.168.1.15', 'PC-07', 'ivanov', '0', '4')");
    QTest::newRow("sign-in with a new password and a quote in the login")
        << QStringLiteral(
               "EXEC GET_USER 'o''brien ','D41D8CD98F00B204E9800998ECF8427E',"
               "'900150983CD24FB0D6963F7D28E17F72', 'ZEB 7', '10.0.0.2', 'Бухгалтерия', 'o''brien ','0','34'")
        << QStringLiteral("GET_USER") << positional
        << QVariantList{QStringLiteral("o'brien "),
                        QStringLiteral("D41D8CD98F00B204E9800998ECF8427E"),
                        QStringLiteral("900150983CD24FB0D6963F7D28E17F72"),
                        QStringLiteral("ZEB 7"),
                        QStringLiteral("10.0.0.2"),
                        QStringLiteral("Бухгалтерия"),
                        QStringLiteral("o'brien "),
                        QStringLiteral("0"),
                        QStringLiteral("34")}
        << QStringLiteral(
               "SELECT * FROM dbo.get_user('o''brien ', 'D41D8CD98F00B204E9800998ECF8427E', "
               "'900150983CD24FB0D6963F7D28E17F72', 'ZEB 7', '10.0.0.2', 'Бухгалтерия', 'o''brien ', "
               "'0', '34')");
    QTest::newRow("department copy")
        << QStringLiteral(
               "EXEC CopyKafedraOnKafedra @id_kafedraFrom = 3, @id_kafedraTo = 5, @zeb_user = 'ivanov', "
               "@ip = 'PC-07\\192.168.1.15'")
        << QStringLiteral("CopyKafedraOnKafedra")
        << QStringList{QStringLiteral("id_kafedraFrom"), QStringLiteral("id_kafedraTo"),
                       QStringLiteral("zeb_user"), QStringLiteral("ip")}
        << QVariantList{qint64(3), qint64(5), QStringLiteral("ivanov"), QStringLiteral("PC-07\\192.168.1.15")}
        << QStringLiteral("CALL dbo.copykafedraonkafedra(id_kafedrafrom => 3, id_kafedrato => 5, zeb_user => "
                          "'ivanov', ip => E'PC-07\\\\192.168.1.15')");
    QTest::newRow("numbers, NULL and a national literal")
        << QStringLiteral("execute dbo.[Some Proc] -5, 2.5, - 7, N'Кафедра', null, 9223372036854775808;")
        << QStringLiteral("Some Proc") << QStringList(6)
        << QVariantList{qint64(-5),           2.5, qint64(-7), QStringLiteral("Кафедра"), QVariant(),
                        9223372036854775808.0}
        << QStringLiteral("CALL dbo.\"some proc\"(-5, 2.5, -7, 'Кафедра', NULL, 9223372036854775808)");
    QTest::newRow("a literal cannot break out")
        << QStringLiteral("EXEC GET_USER 'x''); DROP TABLE Vakansii; --', 'a\\'")
        << QStringLiteral("GET_USER") << QStringList(2)
        << QVariantList{QStringLiteral("x'); DROP TABLE Vakansii; --"), QStringLiteral("a\\")}
        << QStringLiteral("SELECT * FROM dbo.get_user('x''); DROP TABLE Vakansii; --', E'a\\\\')");
    QTest::newRow("no arguments, comments around")
        << QStringLiteral("/* refresh */ Exec Refresh_All -- now") << QStringLiteral("Refresh_All")
        << QStringList() << QVariantList() << QStringLiteral("CALL dbo.refresh_all()");
}

void TestTsqlRewriter::procedureCalls()
{
    QFETCH(QString, tsql);
    QFETCH(QString, name);
    QFETCH(QStringList, argumentNames);
    QFETCH(QVariantList, values);
    QFETCH(QString, postgres);

    TsqlRewriter sqlite(TsqlTarget::Sqlite);
    const RewrittenStatement call = sqlite.rewrite(tsql);
    QCOMPARE(call.kind, RewrittenStatement::Kind::Procedure);
    QCOMPARE(call.call.name, name);
    QCOMPARE(call.call.arguments.size(), values.size());
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant& actual = call.call.arguments.at(i).value;
        QCOMPARE(call.call.arguments.at(i).name, argumentNames.at(i));
        QCOMPARE(actual.isNull(), values.at(i).isNull());
        if (!values.at(i).isNull()) {
            QCOMPARE(actual.typeId(), values.at(i).typeId());
            QCOMPARE(actual, values.at(i));
        }
    }

    QCOMPARE(rewriteFor(TsqlTarget::Postgres, tsql), postgres);
}

void TestTsqlRewriter::setDateFormat()
{
    TsqlRewriter sqlite(TsqlTarget::Sqlite);
    TsqlRewriter postgres(TsqlTarget::Postgres);
    QCOMPARE(sqlite.dateOrder(), DateOrder::Mdy);

    const QString dmy = QStringLiteral("SET DATEFORMAT dmy");
    QCOMPARE(sqlite.rewrite(dmy).kind, RewrittenStatement::Kind::Nothing);
    QCOMPARE(sqlite.dateOrder(), DateOrder::Dmy);
    const RewrittenStatement dateStyle = postgres.rewrite(dmy);
    QCOMPARE(dateStyle.kind, RewrittenStatement::Kind::Sql);
    QCOMPARE(dateStyle.sql, QStringLiteral("SET DateStyle = 'ISO, DMY'"));
    QCOMPARE(postgres.dateOrder(), DateOrder::Dmy);

    QCOMPARE(postgres.rewrite(QStringLiteral("set dateformat MDY;")).sql,
             QStringLiteral("SET DateStyle = 'ISO, MDY'"));
    QCOMPARE(postgres.rewrite(QStringLiteral("SET DATEFORMAT 'ymd'")).sql,
             QStringLiteral("SET DateStyle = 'ISO, YMD'"));
    QCOMPARE(postgres.dateOrder(), DateOrder::Ymd);

    // An order neither engine can follow goes to the engine as written and changes nothing here.
    const RewrittenStatement unknown = sqlite.rewrite(QStringLiteral("SET DATEFORMAT ydm"));
    QCOMPARE(unknown.kind, RewrittenStatement::Kind::Sql);
    QCOMPARE(unknown.sql, QStringLiteral("SET DATEFORMAT ydm"));
    QCOMPARE(sqlite.dateOrder(), DateOrder::Dmy);
}

void TestTsqlRewriter::dateLiterals_data()
{
    QTest::addColumn<QString>("dateFormat");
    QTest::addColumn<QString>("literal");
    QTest::addColumn<QString>("dateTime");
    QTest::addColumn<QString>("date");

    const auto row = [](const char* name, const char* format, const char* literal, const char* dateTime,
                        const char* date) {
        QTest::newRow(name) << QString::fromUtf8(format) << QString::fromUtf8(literal)
                            << QString::fromUtf8(dateTime) << QString::fromUtf8(date);
    };
    const auto kept = [&row](const char* name, const char* format, const char* literal) {
        row(name, format, literal, literal, literal);
    };
    row("mdy by default", "", "'12/31/2024'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    kept("day first is no date before dmy", "", "'31.12.2024'");
    row("dmy with dots", "dmy", "'31.12.2024'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    row("dmy with time", "dmy", "'31/12/2024 10:30'", "'2024-12-31 10:30:00'", "'2024-12-31'");
    row("dmy short parts", "dmy", "'1.2.24'", "'2024-02-01 00:00:00'", "'2024-02-01'");
    row("two-digit year of the last century", "dmy", "'1.2.50'", "'1950-02-01 00:00:00'", "'1950-02-01'");
    row("dmy with seconds and fraction", "dmy", "'5-3-1999 9:05:07.250'", "'1999-03-05 09:05:07.250'",
        "'1999-03-05'");
    kept("month first is no date after dmy", "dmy", "'12-31-2024'");
    row("mdy set again", "mdy", "'12-31-2024'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    row("ISO date", "dmy", "'2024-12-31'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    row("ISO date and minutes", "dmy", "'2024-12-31 10:30'", "'2024-12-31 10:30:00'", "'2024-12-31'");
    row("ISO date and seconds", "dmy", "'2024-12-31 10:30:15'", "'2024-12-31 10:30:15'", "'2024-12-31'");
    row("year first with dots", "dmy", "'2024.12.31'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    kept("no leap day", "dmy", "'29.02.2023'");
    row("leap day", "dmy", "'29.02.2024'", "'2024-02-29 00:00:00'", "'2024-02-29'");
    kept("hour 24", "dmy", "'31.12.2024 24:00'");
    kept("leading blank", "dmy", "' 31.12.2024'");
    kept("trailing text", "dmy", "'31.12.2024г'");
    kept("mixed separators", "dmy", "'31.12/2024'");
    kept("month and year only", "dmy", "'12.2024'");
    kept("one-digit year", "dmy", "'1.2.3'");
    kept("zeros", "dmy", "'00.00.0000'");
    row("national literal", "dmy", "N'31.12.2024'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    row("ymd", "ymd", "'24/12/31'", "'2024-12-31 00:00:00'", "'2024-12-31'");
    kept("year last is no date after ymd", "ymd", "'31.12.2024'");
}

// Both engines get the same ISO text: PostgreSQL would read two-digit years and the day order its own way.
void TestTsqlRewriter::dateLiterals()
{
    QFETCH(QString, dateFormat);
    QFETCH(QString, literal);
    QFETCH(QString, dateTime);
    QFETCH(QString, date);

    const QString typed = literal.startsWith(u'N') ? literal.mid(1) : literal;
    const auto statement = [](const char* column, const QString& value) {
        return QStringLiteral("select * from Vakansii where %1 >= %2").arg(QLatin1String(column), value);
    };
    for (TsqlTarget target : {TsqlTarget::Sqlite, TsqlTarget::Postgres}) {
        QCOMPARE(rewriteAfter(target, dateFormat, statement("e_d_p", literal)), statement("e_d_p", dateTime));
        QCOMPARE(rewriteAfter(target, dateFormat, statement("ZEB_Update", literal)),
                 statement("ZEB_Update", date));
        QCOMPARE(rewriteAfter(target, dateFormat, statement("e_n_p", literal)), statement("e_n_p", typed));
    }
}

void TestTsqlRewriter::datesOnlyWhereDatesAreMeant_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("postgres");

    const auto same = [](const char* name, const char* tsql, const char* sql) {
        QTest::newRow(name) << QString::fromUtf8(tsql) << QString::fromUtf8(sql) << QString::fromUtf8(sql);
    };
    same("UPDATE sets an order number and a date",
         "update Vakansii set e_n_p = '12/05/23', e_d_p = '12/05/23' where id_vakansiya = 1",
         "update Vakansii set e_n_p = '12/05/23', e_d_p = '2023-05-12 00:00:00' where id_vakansiya = 1");
    same("INSERT matches values to the listed columns",
         "insert into Vakansii (id_post, e_n_p, [e_d_p], descr, ZEB_Update) values (1, '1.2.34', N'1.2.34', "
         "'1.2.34', '1.2.34 10:30')",
         "insert into Vakansii (id_post, e_n_p, \"e_d_p\", descr, ZEB_Update) values (1, '1.2.34', "
         "'2034-02-01 00:00:00', '1.2.34', '2034-02-01')");
    same("INSERT of several rows",
         "insert into Vakansii (e_d_p, e_n_p) values ('1.2.2024', '1.2.2024'), ('2.2.2024', '2.2.2024')",
         "insert into Vakansii (e_d_p, e_n_p) values ('2024-02-01 00:00:00', '1.2.2024'), ('2024-02-02 "
         "00:00:00', '2.2.2024')");
    same("INSERT without a column list keeps its texts", "insert into Vakansii values (1, '1.2.2024')",
         "insert into Vakansii values (1, '1.2.2024')");
    same("literal before the column",
         "select * from Vakansii where '31.12.2024' > e_d_p and e_n_p <> '31.12.2024'",
         "select * from Vakansii where '2024-12-31 00:00:00' > e_d_p and e_n_p <> '31.12.2024'");
    QTest::newRow("alias and schema")
        << QStringLiteral("select v.e_n_p from dbo.Vakansii as v where v.d_d_p <= '1.2.2024' and v.d_n_p = "
                          "'1.2.2024'")
        << QStringLiteral("select v.e_n_p from Vakansii as v where v.d_d_p <= '2024-02-01 00:00:00' and "
                          "v.d_n_p = '1.2.2024'")
        << QStringLiteral("select v.e_n_p from dbo.Vakansii as v where v.d_d_p <= '2024-02-01 00:00:00' and "
                          "v.d_n_p = '1.2.2024'");
    same("BETWEEN and IN",
         "select * from Vakansii where e_d_p between '1.1.2024' and '31.12.2024' and d_d_p not in "
         "('1.2.2024', NULL, '2.2.2024') and e_n_p in ('1.2.2024') and e_n_p not between '1.1.2024' and "
         "'2.1.2024'",
         "select * from Vakansii where e_d_p between '2024-01-01 00:00:00' and '2024-12-31 00:00:00' and "
         "d_d_p not in ('2024-02-01 00:00:00', NULL, '2024-02-02 00:00:00') and e_n_p in ('1.2.2024') and "
         "e_n_p not between '1.1.2024' and '2.1.2024'");
    same("a joined table's date column",
         "select * from Vakansii inner join Working on Working.id_vakansiya = Vakansii.id_vakansiya where "
         "date_come >= '1.2.2024'",
         "select * from Vakansii inner join Working on Working.id_vakansiya = Vakansii.id_vakansiya where "
         "date_come >= '2024-02-01 00:00:00'");
    for (const char* kept :
         {"select * from Vakansii where e_d_p = '1.2.2024' + 1 or e_d_p > dateadd(day, 1, '1.2.2024')",
          "select '1.2.2024' as d, x from Unknown where x = '1.2.2024'",
          "select * from Vakansii where e_d_p in (select e_n_p from Vakansii where e_n_p = '1.2.2024')",
          "select * from Kafedra where e_d_p = '1.2.2024'"})
        same(kept, kept, kept);
}

void TestTsqlRewriter::datesOnlyWhereDatesAreMeant()
{
    QFETCH(QString, tsql);
    QFETCH(QString, sqlite);
    QFETCH(QString, postgres);

    QCOMPARE(rewriteAfter(TsqlTarget::Sqlite, QStringLiteral("dmy"), tsql), sqlite);
    QCOMPARE(rewriteAfter(TsqlTarget::Postgres, QStringLiteral("dmy"), tsql), postgres);
}

void TestTsqlRewriter::like_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sqlite");
    QTest::addColumn<QString>("postgres");

    const auto row = [](const char* name, const char* tsql, const char* sqlite, const char* postgres) {
        QTest::newRow(name) << QString::fromUtf8(tsql) << QString::fromUtf8(sqlite)
                            << QString::fromUtf8(postgres);
    };
    row("letters of either case", "select * from Kafedra where f1 like 'Каф%'",
        "select * from Kafedra where f1 GLOB '[Кк][аА][фФ]*'",
        "select * from Kafedra where f1 ~ '^[Кк][аА][фФ].*$'");
    row("backslash, dot and digits", "select * from Kafedra where f1 like 'C:\\_1.%'",
        "select * from Kafedra where f1 GLOB '[Cc]:\\?1.*'",
        "select * from Kafedra where f1 ~ E'^[Cc]\\\\:\\\\\\\\.1\\\\..*$'");
    row("NOT LIKE", "select * from Kafedra where f1 not like '%x'",
        "select * from Kafedra where f1 not GLOB '*[xX]'", "select * from Kafedra where f1 !~ '^.*[xX]$'");
    row("brackets", "select * from Kafedra where f1 like '[%][_][[]x][^a-b]'",
        "select * from Kafedra where f1 GLOB '%_[[][xX]][^aAbB]'",
        "select * from Kafedra where f1 ~ E'^\\\\%\\\\_\\\\[[xX]\\\\][^aAbB]$'");
    row("GLOB's own wildcards are plain", "select * from Kafedra where f1 like '*?1'",
        "select * from Kafedra where f1 GLOB '[*][?]1'", "select * from Kafedra where f1 ~ E'^\\\\*\\\\?1$'");
    row("ESCAPE", "select * from Kafedra where f1 like '5!%!!' escape '!' and f1 is not null",
        "select * from Kafedra where f1 GLOB '5%!' and f1 is not null",
        "select * from Kafedra where f1 ~ E'^5\\\\%\\\\!$' and f1 is not null");
    row("pattern from a column", "select * from Kafedra where f1 like descr and f1 like f1 + '%' escape '!'",
        "select * from Kafedra where f1 like descr and f1 like f1 + '%' escape '!'",
        "select * from Kafedra where f1 ILIKE descr ESCAPE '' and f1 ILIKE f1 + '%' escape '!'");
    row("open bracket", "select * from Kafedra where f1 like 'a[b' or f1 like 'a[]'",
        "select * from Kafedra where f1 like 'a[b' or f1 like 'a[]'",
        "select * from Kafedra where f1 ILIKE 'a[b' ESCAPE '' or f1 ILIKE 'a[]' ESCAPE ''");
    row("a call before ESCAPE", "select * from Kafedra where f1 like upper(descr) + (f1) escape N'!'",
        "select * from Kafedra where f1 like upper(descr) + (f1) escape '!'",
        "select * from Kafedra where f1 ILIKE upper(descr) + (f1) escape '!'");
    const QString quoted = QStringLiteral("select * from Kafedra where f1 = 'x like ''a%'''");
    QTest::newRow("LIKE in a literal") << quoted << quoted << quoted;
}

void TestTsqlRewriter::like()
{
    clientStatements();
}

void TestTsqlRewriter::transactions_data()
{
    QTest::addColumn<QString>("tsql");
    QTest::addColumn<QString>("sql");

    QTest::newRow("BEGIN TRAN") << QStringLiteral("BEGIN TRAN") << QStringLiteral("BEGIN");
    QTest::newRow("named BEGIN TRANSACTION")
        << QStringLiteral("begin transaction copy1;") << QStringLiteral("BEGIN");
    QTest::newRow("COMMIT") << QStringLiteral("COMMIT") << QStringLiteral("COMMIT");
    QTest::newRow("COMMIT TRAN") << QStringLiteral("commit tran") << QStringLiteral("COMMIT");
    QTest::newRow("named COMMIT TRANSACTION")
        << QStringLiteral("Commit Transaction copy1") << QStringLiteral("COMMIT");
    QTest::newRow("ROLLBACK") << QStringLiteral("ROLLBACK") << QStringLiteral("ROLLBACK");
    QTest::newRow("ROLLBACK TRANSACTION")
        << QStringLiteral("rollback transaction") << QStringLiteral("ROLLBACK");
    QTest::newRow("ROLLBACK to a savepoint is left")
        << QStringLiteral("ROLLBACK TRAN save1") << QStringLiteral("ROLLBACK TRAN save1");
    QTest::newRow("BEGIN alone is left") << QStringLiteral("BEGIN") << QStringLiteral("BEGIN");
    QTest::newRow("BEGIN TRY is left") << QStringLiteral("BEGIN TRY") << QStringLiteral("BEGIN TRY");
}

void TestTsqlRewriter::transactions()
{
    QFETCH(QString, tsql);
    QFETCH(QString, sql);

    QCOMPARE(rewriteFor(TsqlTarget::Sqlite, tsql), sql);
    QCOMPARE(rewriteFor(TsqlTarget::Postgres, tsql), sql);
}

void TestTsqlRewriter::sqliteRunsClientStatements_data()
{
    addClientStatementRows();
}

void TestTsqlRewriter::sqliteRunsClientStatements()
{
    QFETCH(QString, tsql);

    SqliteSchema db;
    TsqlRewriter rewriter(TsqlTarget::Sqlite);
    QCOMPARE(rewriter.rewrite(QStringLiteral("SET DATEFORMAT dmy")).kind, RewrittenStatement::Kind::Nothing);
    const RewrittenStatement statement = rewriter.rewrite(tsql);
    QCOMPARE(statement.kind, RewrittenStatement::Kind::Sql);
    QCOMPARE(db.run(statement.sql), QString());
}

void TestTsqlRewriter::topPercentTakesCeilingOfRows_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<int>("employees");
    QTest::addColumn<int>("rows");

    QTest::newRow("1% of none") << 1 << 0 << 0;
    QTest::newRow("1% of three") << 1 << 3 << 1;
    QTest::newRow("33% of three") << 33 << 3 << 1;
    QTest::newRow("34% of three") << 34 << 3 << 2;
    QTest::newRow("50% of three") << 50 << 3 << 2;
    QTest::newRow("100% of three") << 100 << 3 << 3;
    QTest::newRow("0% of three") << 0 << 3 << 0;
}

void TestTsqlRewriter::topPercentTakesCeilingOfRows()
{
    QFETCH(int, percent);
    QFETCH(int, employees);
    QFETCH(int, rows);

    SqliteSchema db;
    // Rows of another line and departed employees must not count.
    QCOMPARE(db.exec("INSERT INTO Working(id_vakansiya, id_leave) VALUES(18, 4), (17, 5), (17, 5), (17, 5)"),
             QString());
    for (int i = 0; i < employees; ++i)
        QCOMPARE(db.exec(i % 2 ? "INSERT INTO Working(id_vakansiya, id_leave) VALUES(17, 4)"
                               : "INSERT INTO Working(id_vakansiya, id_leave) VALUES(17, NULL)"),
                 QString());

    const QString tsql =
        QStringLiteral("Select top(%1) percent working.* from working  where working.id_vakansiya=17"
                       " and (id_leave=4 or id_leave is null) ")
            .arg(percent);
    int returned = -1;
    QCOMPARE(db.run(rewriteFor(TsqlTarget::Sqlite, tsql), &returned), QString());
    QCOMPARE(returned, rows);
}

QTEST_GUILESS_MAIN(TestTsqlRewriter)
#include "tst_tsqlrewriter.moc"
