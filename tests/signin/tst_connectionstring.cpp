#include "data/ConnectionParams.h"
#include "signin/ConnectionString.h"
#include "platform/Error.h"

#include <QTest>

using namespace zeb;

class TestConnectionString : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void joinsThePiecesExactly();
    void connectionLayerReadsBackEveryValue();
    void refusesASemicolon_data();
    void refusesASemicolon();
    void removeUserId_data();
    void removeUserId();
};

void TestConnectionString::joinsThePiecesExactly()
{
    const FirstConnectInfo info{QStringLiteral("zeb_signin"), QStringLiteral("s3cr=t"), QStringLiteral("ZEB"),
                                QStringLiteral("pg:db.local:5432")};
    QCOMPARE(
        buildConnectionString(info),
        QStringLiteral("Provider=SQLOLEDB.1;Password=s3cr=t;Persist Security Info=True;User ID=zeb_signin;"
                       "Initial Catalog=ZEB;Data Source=pg:db.local:5432;Use Procedure for Prepare=1;"
                       "Auto Translate=True;Packet Size=4096;Use Encryption for Data=False;"
                       "Tag with column collation when possible=False"));
}

// What the connection layer parses out of the string is what the settings or the server gave.
void TestConnectionString::connectionLayerReadsBackEveryValue()
{
    const FirstConnectInfo info{QStringLiteral("Кадры 2"), QStringLiteral("p=ss word!"),
                                QStringLiteral("ЗЭБ"), QStringLiteral("pg:10.0.0.5:5433")};
    const ConnectionParams params = ConnectionParams::parse(buildConnectionString(info));
    QCOMPARE(params.userId, info.userId);
    QCOMPARE(params.password, info.password);
    QCOMPARE(params.initialCatalog, info.initialCatalog);
    QCOMPARE(params.dataSource, info.dataSource);
}

// A semicolon would end the value early, and the rest would be read as another setting or dropped.
void TestConnectionString::refusesASemicolon_data()
{
    QTest::addColumn<FirstConnectInfo>("info");
    QTest::addColumn<QString>("message");

    const FirstConnectInfo plain{QStringLiteral("zeb_signin"), QStringLiteral("s3cret"),
                                 QStringLiteral("ZEB"), QStringLiteral("pg:db.local")};
    const QString message = QStringLiteral("Значение «%1» (%2) содержит точку с запятой «;»: строка "
                                           "подключения делится на части точкой с запятой, и такое значение "
                                           "в неё не передать.");
    FirstConnectInfo info = plain;
    info.userId = QStringLiteral("zeb;Password=x");
    QTest::newRow("user id") << info
                             << message.arg(QStringLiteral("Имя пользователя"), QStringLiteral("User ID"));
    info = plain;
    info.password = QStringLiteral("abc;def");
    QTest::newRow("password") << info << message.arg(QStringLiteral("Пароль"), QStringLiteral("Password"));
    info = plain;
    info.initialCatalog = QStringLiteral("ZEB;");
    QTest::newRow("initial catalog") << info
                                     << message.arg(QStringLiteral("База данных"),
                                                    QStringLiteral("Initial Catalog"));
    info = plain;
    info.dataSource = QStringLiteral(";pg:other");
    QTest::newRow("data source") << info
                                 << message.arg(QStringLiteral("Сервер"), QStringLiteral("Data Source"));
}

void TestConnectionString::refusesASemicolon()
{
    QFETCH(FirstConnectInfo, info);
    QFETCH(QString, message);

    try {
        buildConnectionString(info);
        QFAIL("a value with a semicolon went into the connection string");
    } catch (const Error& error) {
        QCOMPARE(error.message(), message);
    }
    QVERIFY_THROWS_EXCEPTION(Error, checkConnectionValues(info));
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
