#include "data/odbc/OdbcEngine.h"

#include "data/DatabaseError.h"
#include "data/odbc/OdbcConnectionString.h"
#include "data/odbc/OdbcCursor.h"
#include "data/odbc/OdbcMessage.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>

namespace zeb {

namespace {

QString uniqueConnectionName()
{
    static std::atomic<int> counter{0};
    return QStringLiteral("zeb-odbc-%1").arg(++counter);
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
    database.setDatabaseName(odbcConnectionString(m_params, odbcEncryption()));
    database.setConnectOptions(QStringLiteral("SQL_ATTR_LOGIN_TIMEOUT=10"));
    if (database.open())
        return;
    const EngineFailure failure = odbcFailure(database.lastError(), m_params.dataSource);
    database = QSqlDatabase();
    QSqlDatabase::removeDatabase(m_connectionName);
    throw DatabaseError(failure);
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
        throw DatabaseError(odbcFailure(query->lastError(), m_params.dataSource, sql));

    const qint64 rowsAffected = query->numRowsAffected();
    // A procedure may report changed rows before the rows it selects.
    while (!query->isSelect() && query->nextResult()) {
    }
    if (query->lastError().isValid())
        throw DatabaseError(odbcFailure(query->lastError(), m_params.dataSource, sql));
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
        throw DatabaseError(odbcFailure(database.lastError(), m_params.dataSource));
}

void OdbcEngine::commit()
{
    QSqlDatabase database = openDatabase();
    if (!database.commit())
        throw DatabaseError(odbcFailure(database.lastError(), m_params.dataSource));
}

void OdbcEngine::rollback()
{
    QSqlDatabase database = openDatabase();
    if (!database.rollback())
        throw DatabaseError(odbcFailure(database.lastError(), m_params.dataSource));
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
