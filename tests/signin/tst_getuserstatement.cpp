#include "signin/GetUserStatement.h"

#include <QTest>

using namespace zeb;

class TestGetUserStatement : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void text_data();
    void text();
};

void TestGetUserStatement::text_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("password");
    QTest::addColumn<QString>("newPassword");
    QTest::addColumn<QString>("computerName");
    QTest::addColumn<QString>("expected");

    // Digests: "secret" 5EBE2294, "newpass1" FCCCCA75, "null" 37A6259C, "it's" 706DC2EE, "" D41D8CD9.
    QTest::newRow("no new password")
        << QStringLiteral("ivanov") << QStringLiteral("secret") << GetUserStatement::noNewPassword()
        << QStringLiteral("PC-1")
        << QStringLiteral(
               "EXEC GET_USER 'ivanov','5EBE2294ECD0E0F08EAB7690D2A6EE69',NULL, 'ZEB 7', '10.0.0.5', "
               "'PC-1', 'ivanov','0','4'");
    QTest::newRow("new password")
        << QStringLiteral("ivanov") << QStringLiteral("secret") << QStringLiteral("newpass1")
        << QStringLiteral("PC-1")
        << QStringLiteral(
               "EXEC GET_USER 'ivanov','5EBE2294ECD0E0F08EAB7690D2A6EE69',"
               "'FCCCCA750F896AF3625966911A276BC8', 'ZEB 7', '10.0.0.5', 'PC-1', 'ivanov','0','34'");
    QTest::newRow("only the exact word means none")
        << QStringLiteral("ivanov") << QStringLiteral("secret") << QStringLiteral("null")
        << QStringLiteral("PC-1")
        << QStringLiteral(
               "EXEC GET_USER 'ivanov','5EBE2294ECD0E0F08EAB7690D2A6EE69',"
               "'37A6259CC0C1DAE299A7866489DFF0BD', 'ZEB 7', '10.0.0.5', 'PC-1', 'ivanov','0','34'");
    QTest::newRow("trailing blanks kept")
        << QStringLiteral("Петров  ") << QStringLiteral("secret") << GetUserStatement::noNewPassword()
        << QStringLiteral("PC-1")
        << QStringLiteral(
               "EXEC GET_USER 'Петров  ','5EBE2294ECD0E0F08EAB7690D2A6EE69',NULL, 'ZEB 7', '10.0.0.5', "
               "'PC-1', 'Петров  ','0','4'");
    QTest::newRow("quotes doubled")
        << QStringLiteral("o'brien'); DROP TABLE post; --") << QStringLiteral("it's")
        << GetUserStatement::noNewPassword() << QStringLiteral("Bob's PC")
        << QStringLiteral(
               "EXEC GET_USER 'o''brien''); DROP TABLE post; --','706DC2EE585FB5DCB18E3AC08DA7CE0C',NULL, "
               "'ZEB 7', '10.0.0.5', 'Bob''s PC', 'o''brien''); DROP TABLE post; --','0','4'");
    QTest::newRow("empty fields")
        << QString() << QString() << GetUserStatement::noNewPassword() << QString()
        << QStringLiteral(
               "EXEC GET_USER '','D41D8CD98F00B204E9800998ECF8427E',NULL, 'ZEB 7', '10.0.0.5', '', "
               "'','0','4'");
}

void TestGetUserStatement::text()
{
    QFETCH(QString, login);
    QFETCH(QString, password);
    QFETCH(QString, newPassword);
    QFETCH(QString, computerName);

    GetUserStatement statement;
    statement.login = login;
    statement.password = password;
    statement.newPassword = newPassword;
    statement.ip = QStringLiteral("10.0.0.5");
    statement.computerName = computerName;
    QTEST(statement.text(), "expected");
}

QTEST_GUILESS_MAIN(TestGetUserStatement)
#include "tst_getuserstatement.moc"
