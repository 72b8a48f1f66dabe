#include "platform/Error.h"
#include "server/Installation.h"
#include "server/MssqlInstallation.h"
#include "server/ServerScript.h"
#include "server/SqlcmdScript.h"

#include <QRegularExpression>
#include <QTest>

using namespace zeb;

Q_DECLARE_METATYPE(ServerScript)

namespace {

const QHash<QString, QString> values = MssqlInstallation::scriptValues(
    QStringLiteral("ZEB"),
    ServerAccount{QStringLiteral("ZEB_signin"), QStringLiteral("Xy7Kq2Lm9Pw4Rt6Zs8Vb3Nc5")},
    Installation::workRole(QStringLiteral("ZEB")));

// The batch without the comments and blank lines that may stand before its first statement.
QString firstStatement(const QString& batch)
{
    QStringList lines = batch.split(QLatin1Char('\n'));
    while (!lines.isEmpty() &&
           (lines.first().trimmed().isEmpty() || lines.first().trimmed().startsWith(u"--")))
        lines.removeFirst();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

// What the tool sends to SQL Server, as text: no SQL Server runs here.
class TestMssqlScripts : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scriptsRunAsSqlcmdWould_data();
    void scriptsRunAsSqlcmdWould();
    void logKeepsItself();
    void formTablesEverywhere();
    void lineHistoryKeepsItself();
    void readerFollowsSqlcmd();
    void readerRefuses_data();
    void readerRefuses();
};

void TestMssqlScripts::scriptsRunAsSqlcmdWould_data()
{
    QTest::addColumn<ServerScript>("script");
    QTest::newRow("database") << ServerScript::MssqlDatabase;
    QTest::newRow("schema") << ServerScript::MssqlSchema;
    QTest::newRow("procedures") << ServerScript::MssqlProcedures;
    QTest::newRow("accounts") << ServerScript::MssqlAccounts;
    QTest::newRow("upgrade") << ServerScript::MssqlUpgrade;
    QTest::newRow("line history") << ServerScript::MssqlHistory;
    QTest::newRow("reference rows") << ServerScript::Reference;
}

void TestMssqlScripts::scriptsRunAsSqlcmdWould()
{
    QFETCH(ServerScript, script);
    const QString text = serverScript(script);
    QVERIFY2(!text.contains(QLatin1String("${")), "a placeholder sqlcmd does not know");
    if (script != ServerScript::Reference)
        QVERIFY2(text.startsWith(QLatin1String(":on error exit")), "a failing hand run would go on");

    const QStringList batches = SqlcmdScript::batches(QStringLiteral("script"), text, values);
    QVERIFY(!batches.isEmpty());
    static const QRegularExpression module(QStringLiteral("\\bCREATE\\s+(PROCEDURE|FUNCTION|TRIGGER)\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression goLine(QStringLiteral("^\\s*GO\\s*$"),
                                           QRegularExpression::CaseInsensitiveOption |
                                               QRegularExpression::MultilineOption);
    for (const QString& batch : batches) {
        QVERIFY2(!batch.contains(QLatin1String("$(")), qPrintable(batch.left(200)));
        QVERIFY2(!batch.contains(QLatin1String(":on error exit"), Qt::CaseInsensitive),
                 qPrintable(batch.left(200)));
        QVERIFY2(!goLine.match(batch).hasMatch(), qPrintable(batch.left(200)));
        // The server takes a procedure only as the whole of its batch.
        const QRegularExpressionMatch created = module.match(firstStatement(batch));
        if (created.hasMatch()) {
            QVERIFY2(created.capturedStart() == 0, qPrintable(batch.left(200)));
            QVERIFY2(!module.match(batch, batch.indexOf(created.captured()) + 1).hasMatch(),
                     qPrintable(batch.left(200)));
        } else {
            QVERIFY2(!module.match(batch).hasMatch(), qPrintable(batch.left(200)));
        }
    }
    if (script == ServerScript::MssqlDatabase)
        QVERIFY(batches.join(QLatin1Char('\n')).contains(QLatin1String("COLLATE Cyrillic_General_CI_AS")));
    if (script == ServerScript::MssqlAccounts) {
        const QString all = batches.join(QLatin1Char('\n'));
        QVERIFY(all.contains(QLatin1String("[ZEB_signin]")));
        QVERIFY(all.contains(QLatin1String("N'Xy7Kq2Lm9Pw4Rt6Zs8Vb3Nc5'")));
        QVERIFY(all.contains(QLatin1String("CHECK_POLICY = OFF")));
        QVERIFY(!all.contains(QLatin1String("TRUSTWORTHY ON"), Qt::CaseInsensitive));
    }
    if (script == ServerScript::MssqlProcedures)
        QVERIFY(!batches.join(QLatin1Char('\n')).contains(QLatin1String("EXECUTE AS"), Qt::CaseInsensitive));
}

// The log as on the other servers: its key, login and time are the server's, the schedule role only adds
// rows, and a department removal writes its own row, which the client's row completes.
void TestMssqlScripts::logKeepsItself()
{
    const auto all = [](ServerScript script) {
        return SqlcmdScript::batches(QStringLiteral("script"), serverScript(script), values)
            .join(QLatin1Char('\n'));
    };
    const QString procedures = all(ServerScript::MssqlProcedures);
    const qsizetype logTrigger =
        procedures.indexOf(QLatin1String("CREATE TRIGGER dbo.zeb_log_insert ON dbo.ZEB_LOG"));
    QVERIFY(logTrigger >= 0);
    const QString logBody = procedures.mid(
        logTrigger, procedures.indexOf(QLatin1String("CREATE TRIGGER"), logTrigger + 1) - logTrigger);
    QVERIFY(logBody.contains(QLatin1String("INSTEAD OF INSERT")));
    QVERIFY(logBody.contains(QLatin1String("GETDATE(), ORIGINAL_LOGIN()")));
    QVERIFY2(!logBody.contains(QLatin1String("id_zeb_log,")) &&
                 !logBody.contains(QLatin1String("i.id_zeb_log")),
             "a key the client gave would reach the table");
    QVERIFY(procedures.contains(
        QLatin1String("CREATE TRIGGER dbo.kafedra_removal_log ON dbo.Kafedra\nAFTER DELETE")));
    QVERIFY(procedures.contains(
        QStringLiteral("N'Запись с уникальным номером - ' + CAST(d.id_kafedra AS nvarchar(12))\n           + "
                       "N' была удалена.(id_kafedra = [' + CAST(d.id_kafedra AS nvarchar(12)) + N'])'")));

    QVERIFY(
        all(ServerScript::MssqlSchema)
            .contains(QLatin1String(
                "db_login nvarchar(128) NULL CONSTRAINT zeb_log_db_login_default DEFAULT ORIGINAL_LOGIN()")));
    const QString upgrade = all(ServerScript::MssqlUpgrade);
    QVERIFY(upgrade.contains(QLatin1String("ALTER TABLE dbo.ZEB_LOG ADD db_login")));
    QVERIFY(upgrade.contains(QLatin1String("DROP TRIGGER dbo.zeb_log_insert;")));
    QVERIFY(upgrade.contains(QLatin1String("REVOKE UPDATE, DELETE ON dbo.ZEB_LOG FROM [ZEB_work];")));

    static const QRegularExpression grantOnLog(QStringLiteral("GRANT ([A-Z, ]+) ON dbo\\.ZEB_LOG\\b"));
    const QRegularExpressionMatch grant = grantOnLog.match(all(ServerScript::MssqlAccounts));
    QVERIFY(grant.hasMatch());
    QCOMPARE(grant.captured(1), QStringLiteral("INSERT"));
}

// The salary scale, the form's requisites and the units' codes: made by a new installation and by the
// upgrade, written by the schedule role as posts are, the requisites' one row only changed.
void TestMssqlScripts::formTablesEverywhere()
{
    const auto all = [](ServerScript script) {
        return SqlcmdScript::batches(QStringLiteral("script"), serverScript(script), values)
            .join(QLatin1Char('\n'));
    };
    const QString schema = all(ServerScript::MssqlSchema);
    const QString upgrade = all(ServerScript::MssqlUpgrade);
    for (const QString& text : {schema, upgrade}) {
        QVERIFY(text.contains(QLatin1String("CREATE TABLE dbo.Oklad (")));
        QVERIFY(text.contains(QLatin1String("razrad numeric(18, 0) NOT NULL,")));
        QVERIFY(text.contains(QLatin1String("oklad numeric(12, 2) NOT NULL CONSTRAINT oklad_oklad_check "
                                            "CHECK (oklad >= 0),")));
        QVERIFY(
            text.contains(QLatin1String("CONSTRAINT oklad_razrad_date_from_key UNIQUE (razrad, date_from)")));
        QVERIFY(text.contains(QLatin1String("CREATE TABLE dbo.Rekvizity (")));
        QVERIFY(text.contains(QLatin1String("CREATE TABLE dbo.Kod_podrazd (")));
        QVERIFY(text.contains(QLatin1String("INSERT INTO dbo.Rekvizity (id_rekvizity) VALUES (1);")));
    }
    QVERIFY(upgrade.contains(QLatin1String("IF OBJECT_ID('dbo.Oklad', 'U') IS NULL")));
    QVERIFY(upgrade.contains(
        QLatin1String("IF NOT EXISTS (SELECT 1 FROM dbo.Rekvizity WHERE id_rekvizity = 1)")));

    const QString accounts = all(ServerScript::MssqlAccounts);
    const auto grantsOn = [&](const QString& name) {
        const QRegularExpression grant(
            QStringLiteral("GRANT ([A-Z, ]+) ON dbo\\.%1 TO \\[ZEB_work\\];").arg(name));
        QStringList rights;
        for (auto it = grant.globalMatch(accounts); it.hasNext();)
            rights.append(it.next().captured(1));
        return rights;
    };
    const QStringList postRights = grantsOn(QStringLiteral("post"));
    QCOMPARE(postRights, QStringList{QStringLiteral("SELECT, INSERT, UPDATE, DELETE")});
    QCOMPARE(grantsOn(QStringLiteral("Oklad")), postRights);
    QCOMPARE(grantsOn(QStringLiteral("Kod_podrazd")), postRights);
    QCOMPARE(grantsOn(QStringLiteral("Rekvizity")), QStringList{QStringLiteral("SELECT, UPDATE")});
}

// The lines' history as on the other servers: every column of a line but its key and stamps kept before
// and after each change, the login and time the server's, the schedule role reading only.
void TestMssqlScripts::lineHistoryKeepsItself()
{
    const QString history =
        SqlcmdScript::batches(QStringLiteral("history.sql"), serverScript(ServerScript::MssqlHistory), values)
            .join(QLatin1Char('\n'));
    const qsizetype trigger = history.indexOf(QLatin1String(
        "CREATE TRIGGER dbo.vakansii_history_write ON dbo.Vakansii\nAFTER INSERT, UPDATE, DELETE"));
    QVERIFY(trigger >= 0);
    const QString body = history.mid(trigger, history.indexOf(QLatin1String("\nEND"), trigger) - trigger);
    QVERIFY(body.contains(QLatin1String("GETDATE(), ORIGINAL_LOGIN()")));
    QVERIFY(body.contains(QLatin1String("FULL OUTER JOIN deleted AS d ON d.id_vakansiya = i.id_vakansiya")));

    const QString schema = serverScript(ServerScript::MssqlSchema);
    const qsizetype table = schema.indexOf(QLatin1String("CREATE TABLE dbo.Vakansii ("));
    const QString lineColumns = schema.mid(table, schema.indexOf(QLatin1String("\n);"), table) - table);
    static const QRegularExpression column(QStringLiteral("^    (\\w+) "),
                                           QRegularExpression::MultilineOption);
    QStringList kept;
    for (const QRegularExpressionMatch& match : column.globalMatch(lineColumns))
        kept.append(match.captured(1));
    QCOMPARE(kept.size(), 22);
    for (const QString& name : std::as_const(kept)) {
        if (name == u"id_vakansiya" || name == u"ZEB_User" || name == u"ZEB_Update")
            continue;
        for (const QString& expected :
             {QStringLiteral("old_%1 ").arg(name), QStringLiteral("new_%1 ").arg(name),
              QStringLiteral("old_%1,").arg(name), QStringLiteral("d.%1,").arg(name),
              QStringLiteral("i.%1").arg(name)})
            QVERIFY2(history.contains(expected), qPrintable(expected));
    }

    static const QRegularExpression grant(
        QStringLiteral("GRANT ([A-Z, ]+) ON dbo\\.Vakansii_history TO (\\S+);"));
    const QRegularExpressionMatch granted = grant.match(history);
    QVERIFY(granted.hasMatch());
    QCOMPARE(granted.captured(1), QStringLiteral("SELECT"));
    QCOMPARE(granted.captured(2), QStringLiteral("[ZEB_work]"));
    QVERIFY(!grant.match(history, granted.capturedEnd()).hasMatch());
}

void TestMssqlScripts::readerFollowsSqlcmd()
{
    const QString text =
        QStringLiteral(":On Error Exit\r\nUSE [$(DATABASE)];\r\n go \r\n\r\n"
                       "CREATE PROCEDURE dbo.p AS SELECT N'$(WORK_ROLE)';\nGO\n\nGO\nSELECT 1;");
    QCOMPARE(SqlcmdScript::batches(QStringLiteral("t.sql"), text, values),
             (QStringList{QStringLiteral("USE [ZEB];"),
                          QStringLiteral("CREATE PROCEDURE dbo.p AS SELECT N'ZEB_work';"),
                          QStringLiteral("SELECT 1;")}));
}

void TestMssqlScripts::readerRefuses_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("named");
    QTest::newRow("variable without a value")
        << QStringLiteral("USE [$(CATALOG)];") << QString() << QStringLiteral("$(CATALOG)");
    QTest::newRow("value closing a name") << QStringLiteral("USE [$(DATABASE)];")
                                          << QStringLiteral("a]; DROP") << QStringLiteral("$(DATABASE)");
    QTest::newRow("value closing a literal")
        << QStringLiteral("SELECT N'$(DATABASE)';") << QStringLiteral("x'") << QStringLiteral("$(DATABASE)");
    QTest::newRow("value bringing a variable")
        << QStringLiteral("SELECT N'$(DATABASE)';") << QStringLiteral("$(SIGNIN_PASSWORD)")
        << QStringLiteral("$(DATABASE)");
    QTest::newRow("sqlcmd include") << QStringLiteral(":r other.sql") << QString()
                                    << QStringLiteral(":r other.sql");
    QTest::newRow("shell command") << QStringLiteral("!!del *.*") << QString() << QStringLiteral("!!del");
    QTest::newRow("malformed variable")
        << QStringLiteral("SELECT '$(DATA BASE)';") << QString() << QStringLiteral("$(DATA BASE)");
}

void TestMssqlScripts::readerRefuses()
{
    QFETCH(QString, text);
    QFETCH(QString, value);
    QFETCH(QString, named);
    QHash<QString, QString> given = values;
    if (!value.isNull())
        given.insert(QStringLiteral("DATABASE"), value);
    try {
        SqlcmdScript::batches(QStringLiteral("t.sql"), text, given);
        QFAIL("the script was taken");
    } catch (const Error& error) {
        QVERIFY2(error.message().contains(QLatin1String("t.sql")) && error.message().contains(named),
                 qPrintable(error.message()));
    }
}

QTEST_GUILESS_MAIN(TestMssqlScripts)
#include "tst_mssqlscripts.moc"
