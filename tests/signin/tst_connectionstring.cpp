#include "ConnectionString.h"

#include <QTest>

using namespace zeb;

class TestConnectionString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinsThePiecesExactly();
    void removeUserId_data();
    void removeUserId();
};

void TestConnectionString::joinsThePiecesExactly()
{
    const TFirstConnectInfo info{QStringLiteral("zeb_signin"), QStringLiteral("s3cr=t"),
                                 QStringLiteral("ZEB"), QStringLiteral("pg:db.local:5432")};
    QCOMPARE(
        buildConnectionString(info),
        QStringLiteral("Provider=SQLOLEDB.1;Password=s3cr=t;Persist Security Info=True;User ID=zeb_signin;"
                       "Initial Catalog=ZEB;Data Source=pg:db.local:5432;Use Procedure for Prepare=1;"
                       "Auto Translate=True;Packet Size=4096;Use Encryption for Data=False;"
                       "Tag with column collation when possible=False"));
}

void TestConnectionString::removeUserId_data()
{
    QTest::addColumn<QString>("errorText");
    QTest::addColumn<QString>("userId");
    QTest::addColumn<QString>("shown");

    QTest::newRow("twice") << QStringLiteral("Login failed for user 'zeb'. User zeb is locked.")
                           << QStringLiteral("zeb")
                           << QStringLiteral("Login failed for user ''. User  is locked.");
    QTest::newRow("other case stays") << QStringLiteral("role \"ZEB\" and zeb") << QStringLiteral("zeb")
                                      << QStringLiteral("role \"ZEB\" and ");
    QTest::newRow("empty user id") << QStringLiteral("Ошибка входа") << QString()
                                   << QStringLiteral("Ошибка входа");
    QTest::newRow("absent") << QStringLiteral("Сервер недоступен") << QStringLiteral("sa")
                            << QStringLiteral("Сервер недоступен");
    QTest::newRow("cyrillic id") << QStringLiteral("Пользователь кадры не найден") << QStringLiteral("кадры")
                                 << QStringLiteral("Пользователь  не найден");
}

void TestConnectionString::removeUserId()
{
    QFETCH(QString, errorText);
    QFETCH(QString, userId);

    QTEST(removeAll(errorText, userId), "shown");
}

QTEST_GUILESS_MAIN(TestConnectionString)
#include "tst_connectionstring.moc"
