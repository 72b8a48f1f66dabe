#include "tests/support/EngineRows.h"
#include "platform/Error.h"
#include "server/Installation.h"
#include "credentials/SettingsFile.h"
#include "tests/support/TestInstallation.h"
#include "pg/PgEngine.h"

#include <QFile>
#include <QRegularExpression>
#include <QTest>

using namespace zeb;

namespace {

const QString unknownUserMessage = QStringLiteral("Неверное имя пользователя или пароль.");

bool isGeneratedPassword(const QString& password)
{
    static const QRegularExpression shape(QStringLiteral("^[A-Za-z0-9]{16}$"));
    return shape.match(password).hasMatch();
}

QByteArray fileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The installation's refusal, empty when it installed.
QString refusal(const InstallRequest& request)
{
    try {
        Installation::install(request);
    } catch (const Error& error) {
        return error.message();
    }
    return {};
}

InstallRequest pgRequest(const QString& directory, const QString& database)
{
    const TestPgServer server = TestPgServer::fromEnvironment();
    InstallRequest request;
    request.directory = directory;
    request.engine = EngineKind::Postgres;
    request.host = server.host;
    request.port = server.port;
    request.adminUser = server.adminUser;
    request.adminPassword = server.adminPassword;
    request.database = database;
    return request;
}

bool pgDatabaseExists(const QString& database)
{
    PgEngine server(TestPgServer::fromEnvironment().adminParams(QStringLiteral("postgres")));
    server.open();
    return !firstValue(server, QStringLiteral("SELECT 1 FROM pg_database WHERE datname = $1"), {database})
                .isNull();
}

} // namespace

class InstallationTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesSettingsTheClientSignsInWith_data() { addEngineRows(); }
    void writesSettingsTheClientSignsInWith()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        const FirstConnectInfo& settings = installation->settings();
        const QString database = installation->database();

        QCOMPARE(SettingsFile::read(Installation::settingsPath(installation->directory())), settings);
        QCOMPARE(settings.userId, database + QStringLiteral("_signin"));
        QCOMPARE(settings.initialCatalog, database);
        QVERIFY2(isGeneratedPassword(settings.password), qPrintable(settings.password));
        if (engine == EngineKind::Sqlite) {
            QCOMPARE(settings.dataSource, QStringLiteral("sqlite:zeb.db"));
            QVERIFY(QFile::exists(installation->dataDirectory() + QStringLiteral("/zeb.db")));
        } else {
            QCOMPARE(settings.dataSource, TestPgServer::fromEnvironment().dataSource());
        }

        // The account a person is handed is another than the settings file's.
        const ServerAccount work = installation->workAccount();
        QVERIFY(!work.user.isEmpty() && work.user != settings.userId);
        QVERIFY(!work.password.isEmpty() && work.password != settings.password);

        // Both accounts work: the settings file's runs GET_USER, the handed-out one reads the schedule.
        QCOMPARE(installation->getUser(QStringLiteral("nobody"), QStringLiteral("x")).message,
                 unknownUserMessage);
        auto connection = installation->signedInConnection();
        auto rows = connection->query(QStringLiteral("select count(*) from Vakansii"));
        QVERIFY(rows->next());
        QCOMPARE(rows->toInt64(0), 0);
    }

    void refusesAFolderWithAnInstallation_data() { addEngineRows(); }
    void refusesAFolderWithAnInstallation()
    {
        QFETCH(EngineKind, engine);
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(engine));
        const QString settingsPath = Installation::settingsPath(installation->directory());
        const QByteArray before = fileBytes(settingsPath);

        InstallRequest again;
        again.directory = installation->directory();
        if (engine == EngineKind::Postgres)
            again = pgRequest(installation->directory(), TestPgServer::uniqueDatabaseName());
        const QString message = refusal(again);
        QVERIFY2(message.contains(QStringLiteral("уже есть установка")), qPrintable(message));
        QCOMPARE(fileBytes(settingsPath), before);
        if (engine == EngineKind::Postgres)
            QVERIFY(!pgDatabaseExists(again.database));
        QCOMPARE(installation->getUser(QStringLiteral("nobody"), QStringLiteral("x")).message,
                 unknownUserMessage);
    }

    void refusesAnExistingDatabaseFile()
    {
        QTemporaryDir directory;
        QVERIFY(QDir().mkpath(Installation::dataDirectory(directory.path())));
        const QString databaseFile =
            Installation::dataDirectory(directory.path()) + QStringLiteral("/zeb.db");
        QFile file(databaseFile);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("keep me");
        file.close();

        InstallRequest request;
        request.directory = directory.path();
        const QString message = refusal(request);
        QVERIFY2(message.contains(QStringLiteral("уже существует")), qPrintable(message));
        QCOMPARE(fileBytes(databaseFile), QByteArray("keep me"));
        QVERIFY(!QFile::exists(Installation::settingsPath(directory.path())));
    }

    void refusesAnExistingPgDatabase()
    {
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Postgres));
        QTemporaryDir directory;
        const QString message = refusal(pgRequest(directory.path(), installation->database()));
        QVERIFY2(message.contains(QStringLiteral("уже существует")), qPrintable(message));
        QVERIFY(QDir(directory.path()).isEmpty());
        // The first installation's accounts keep their passwords.
        QCOMPARE(installation->getUser(QStringLiteral("nobody"), QStringLiteral("x")).message,
                 unknownUserMessage);
        QVERIFY_THROWS_NO_EXCEPTION(installation->signedInConnection());
    }

    void refusesWhatTheSettingsCannotHold_data()
    {
        QTest::addColumn<EngineKind>("engine");
        QTest::addColumn<QString>("database");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("port");
        QTest::addColumn<QString>("expected");
        const QString localhost = QStringLiteral("127.0.0.1");
        QTest::newRow("upper case") << EngineKind::Sqlite << QStringLiteral("Zeb") << localhost << 5432
                                    << QStringLiteral("недопустимо");
        QTest::newRow("sql in the name") << EngineKind::Postgres << QStringLiteral("zeb;drop") << localhost
                                         << 5432 << QStringLiteral("недопустимо");
        QTest::newRow("role name too long") << EngineKind::Postgres << QStringLiteral("abcdefghijklmn")
                                            << localhost << 5432 << QStringLiteral("слишком длинное");
        QTest::newRow("file name too long") << EngineKind::Sqlite << QStringLiteral("abcdefghijk")
                                            << localhost << 5432 << QStringLiteral("длиннее 20 байт");
        QTest::newRow("host name too long")
            << EngineKind::Postgres << QStringLiteral("zeb") << QStringLiteral("db-server.example.org")
            << 5432 << QStringLiteral("длиннее 20 байт");
        QTest::newRow("host with a semicolon")
            << EngineKind::Postgres << QStringLiteral("zeb") << QStringLiteral("db;x=1") << 5432
            << QStringLiteral("недопустимо");
        QTest::newRow("port out of range") << EngineKind::Postgres << QStringLiteral("zeb") << localhost
                                           << 70000 << QStringLiteral("Порт 70000");
    }

    void refusesWhatTheSettingsCannotHold()
    {
        QFETCH(EngineKind, engine);
        QFETCH(QString, database);
        QFETCH(QString, host);
        QFETCH(int, port);
        QFETCH(QString, expected);
        QTemporaryDir directory;
        InstallRequest request;
        request.directory = directory.path();
        request.engine = engine;
        request.database = database;
        request.host = host;
        request.port = port;
        const QString message = refusal(request);
        QVERIFY2(message.contains(expected), qPrintable(message));
        QVERIFY(QDir(directory.path()).isEmpty());
    }

    void settingsAccountOnlySignsIn()
    {
        std::unique_ptr<TestInstallation> installation;
        QVERIFY_THROWS_NO_EXCEPTION(installation = std::make_unique<TestInstallation>(EngineKind::Postgres));
        auto signin = installation->settingsConnection();
        QVERIFY_THROWS_EXCEPTION(Error, signin->query(QStringLiteral("select count(*) from Vakansii")));
        QVERIFY_THROWS_EXCEPTION(Error, signin->query(QStringLiteral("select count(*) from zeb_users")));
        auto work = installation->signedInConnection();
        QVERIFY_THROWS_EXCEPTION(Error, work->query(QStringLiteral("select count(*) from zeb_users")));
    }
};

QTEST_GUILESS_MAIN(InstallationTest)
#include "tst_installation.moc"
