#include "tests/support/TestInstallation.h"

#include "server/AdminEngine.h"
#include "signin/ConnectionString.h"
#include "platform/Error.h"
#include "signin/GetUserStatement.h"
#include "server/Installation.h"
#include "server/UserAdmin.h"

#include <QDir>

namespace zeb {

TestInstallation::TestInstallation(EngineKind engine, bool demo) : m_engine(engine)
{
    if (!m_directory.isValid())
        throw Error(QStringLiteral("Не удалось создать временную папку: %1").arg(m_directory.errorString()));
    InstallRequest request;
    request.directory = m_directory.path();
    request.engine = engine;
    request.demo = demo;
    if (engine == EngineKind::Postgres) {
        m_server = TestPgServer::fromEnvironment();
        request.host = m_server->host;
        request.port = m_server->port;
        request.adminUser = m_server->adminUser;
        request.adminPassword = m_server->adminPassword;
        request.database = TestPgServer::uniqueDatabaseName();
    }
    m_database = request.database;
    m_settings = Installation::install(request);
}

TestInstallation::~TestInstallation()
{
    if (!m_server)
        return;
    try {
        m_server->dropDatabase(m_database);
    } catch (const Error& error) {
        qWarning("Тестовая база %s не удалена: %s", qPrintable(m_database), error.what());
    }
}

QString TestInstallation::dataDirectory() const
{
    return Installation::dataDirectory(directory());
}

ServerAccount TestInstallation::workAccount() const
{
    if (m_work)
        return *m_work;
    const QString login = QStringLiteral("tester");
    const QString password = QStringLiteral("tester123");
    {
        const std::unique_ptr<Engine> engine = adminEngine();
        UserAdmin(*engine).add(login, password, false);
    }
    m_work = signIn(login, password);
    return *m_work;
}

ServerAccount TestInstallation::signIn(const QString& login, const QString& password) const
{
    const GetUserAnswer answer = getUser(login, password);
    if (!answer.message.isEmpty() || answer.dbUserId.isEmpty())
        throw Error(QStringLiteral("Вход «%1» не принят: %2").arg(login, answer.message));
    return ServerAccount{answer.unscrambledUserId(), answer.unscrambledPassword()};
}

std::unique_ptr<Engine> TestInstallation::sessionAs(const ServerAccount& account) const
{
    std::unique_ptr<Engine> engine = Engine::create(
        ConnectionParams{account.user, account.password, m_settings.initialCatalog, m_settings.dataSource},
        dataDirectory());
    engine->open();
    return engine;
}

std::unique_ptr<Engine> TestInstallation::adminEngine() const
{
    ServerAccount admin;
    if (m_server)
        admin = ServerAccount{m_server->adminUser, m_server->adminPassword};
    return openAdminEngine(directory(), admin);
}

std::unique_ptr<Connection> TestInstallation::settingsConnection() const
{
    auto connection = std::make_unique<Connection>();
    connection->setDataDirectory(dataDirectory());
    connection->setConnectionString(buildConnectionString(m_settings));
    return connection;
}

std::unique_ptr<Connection> TestInstallation::signedInConnection() const
{
    return connectionAs(workAccount());
}

std::unique_ptr<Connection> TestInstallation::connectionAs(const ServerAccount& account) const
{
    FirstConnectInfo info = m_settings;
    info.userId = account.user;
    info.password = account.password;
    auto connection = std::make_unique<Connection>();
    connection->setDataDirectory(dataDirectory());
    connection->setConnectionString(buildConnectionString(info));
    connection->open();
    connection->run(QStringLiteral("SET DATEFORMAT dmy"));
    return connection;
}

GetUserAnswer TestInstallation::getUser(const QString& login, const QString& password,
                                        const QString& newPassword) const
{
    GetUserStatement statement;
    statement.login = login;
    statement.password = password;
    statement.newPassword = newPassword;
    statement.ip = QStringLiteral("127.0.0.1");
    statement.computerName = QStringLiteral("TEST-PC");
    const std::unique_ptr<Connection> connection = settingsConnection();
    StatementResult result = connection->run(statement.text());
    if (!result.rows)
        throw Error(QStringLiteral("Процедура GET_USER не вернула набор записей."));
    return GetUserAnswer::read(*result.rows);
}

QVariant firstValue(Engine& engine, const QString& sql, const QVariantList& params)
{
    StatementResult result = engine.run(sql, params);
    if (!result.rows)
        throw Error(QStringLiteral("Оператор не вернул строк: %1").arg(sql));
    if (!result.rows->next())
        return {};
    const QVariant value = result.rows->value(0);
    while (result.rows->next()) {
    }
    return value;
}

} // namespace zeb
