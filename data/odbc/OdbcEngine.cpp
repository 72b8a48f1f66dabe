#include "OdbcEngine.h"

#include "DatabaseError.h"
#include "OdbcCursor.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <atomic>

namespace zeb {

namespace {

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("zeb-odbc-%1").arg(++counter);
}

// A value that would end its attribute early is wrapped in braces, '}' doubled.
QString attributeValue(const QString& value)
{
    if (!value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('{')) &&
        !value.contains(QLatin1Char('}')))
        return value;
    QString escaped = value;
    escaped.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + escaped + QLatin1Char('}');
}

QString connectionString(const ConnectionParams& params)
{
    return QStringList{QStringLiteral("DRIVER={FreeTDS}"),
                       QStringLiteral("SERVER=") + attributeValue(params.dataSource),
                       QStringLiteral("DATABASE=") + attributeValue(params.initialCatalog),
                       QStringLiteral("UID=") + attributeValue(params.userId),
                       QStringLiteral("PWD=") + attributeValue(params.password),
                       QStringLiteral("TDS_Version=7.4"),
                       QStringLiteral("ClientCharset=UTF-8")}
        .join(QLatin1Char(';'));
}

QString errorText(const QSqlError& error)
{
    const QString server = error.databaseText().trimmed();
    if (!server.isEmpty())
        return server;
    const QString driver = error.driverText().trimmed();
    return driver.isEmpty() ? QStringLiteral("Ошибка драйвера ODBC.") : driver;
}

} // namespace

OdbcEngine::OdbcEngine(ConnectionParams params)
    : m_params(std::move(params)), m_connectionName(uniqueConnectionName())
{
}

OdbcEngine::~OdbcEngine()
{
    close();
}

void OdbcEngine::open()
{
    if (isOpen())
        return;
    QSqlDatabase database = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), m_connectionName);
    database.setDatabaseName(connectionString(m_params));
    database.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10"));
    if (database.open())
        return;
    const QString message = errorText(database.lastError());
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(message);
}

void OdbcEngine::close()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    releaseQueries();
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
}

bool OdbcEngine::isOpen() const
{
    return QSqlDatabase::contains(m_connectionName) &&
           QSqlDatabase::database(m_connectionName, false).isOpen();
}

QSqlDatabase OdbcEngine::openDatabase() const
{
    QSqlDatabase database = QSqlDatabase::database(m_connectionName, false);
    if (!database.isOpen())
        throw DatabaseError(QStringLiteral("Нет соединения с сервером базы данных."));
    return database;
}

StatementResult OdbcEngine::run(const QString& sql, const QVariantList& params)
{
    auto query = std::make_shared<QSqlQuery>(openDatabase());
    query->setForwardOnly(true);
    bool done = false;
    if (params.isEmpty()) {
        done = query->exec(sql);
    } else if (query->prepare(sql)) {
        for (const QVariant& value : params)
            query->addBindValue(value);
        done = query->exec();
    }
    if (!done)
        throw DatabaseError(errorText(query->lastError()));

    const qint64 rowsAffected = query->numRowsAffected();
    // A procedure may report changed rows before the rows it selects.
    while (!query->isSelect() && query->nextResult()) {
    }
    if (query->lastError().isValid())
        throw DatabaseError(errorText(query->lastError()));
    if (!query->isSelect())
        return {nullptr, rowsAffected};
    trackQuery(query);
    return {std::make_unique<OdbcCursor>(std::move(query)), -1};
}

void OdbcEngine::runScript(const QString& script)
{
    run(script);
}

void OdbcEngine::beginTransaction()
{
    QSqlDatabase database = openDatabase();
    if (!database.transaction())
        throw DatabaseError(errorText(database.lastError()));
}

void OdbcEngine::commit()
{
    QSqlDatabase database = openDatabase();
    if (!database.commit())
        throw DatabaseError(errorText(database.lastError()));
}

void OdbcEngine::rollback()
{
    QSqlDatabase database = openDatabase();
    if (!database.rollback())
        throw DatabaseError(errorText(database.lastError()));
}

void OdbcEngine::trackQuery(const std::shared_ptr<QSqlQuery>& query)
{
    std::erase_if(m_queries, [](const std::weak_ptr<QSqlQuery>& tracked) { return tracked.expired(); });
    m_queries.push_back(query);
}

void OdbcEngine::releaseQueries()
{
    for (const std::weak_ptr<QSqlQuery>& tracked : m_queries) {
        if (const std::shared_ptr<QSqlQuery> query = tracked.lock())
            query->clear();
    }
    m_queries.clear();
}

} // namespace zeb
