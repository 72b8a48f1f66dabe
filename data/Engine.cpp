#include "data/Engine.h"

#include "data/DatabaseError.h"
#include "odbc/OdbcEngine.h"
#include "pg/PgEngine.h"
#include "sqlite/SqliteEngine.h"

#include <QDir>

namespace zeb {

qint64 Engine::runPrepared(const QString& sql, const QVariantList& params)
{
    return run(sql, params).rowsAffected;
}

StatementResult Engine::callProcedure(const ProcedureCall& call)
{
    throw DatabaseError(QStringLiteral("Процедура %1 не поддерживается этим сервером.").arg(call.name));
}

std::unique_ptr<Engine> Engine::create(const ConnectionParams& params, const QString& dataDirectory)
{
    switch (params.engineKind()) {
    case EngineKind::Sqlite: {
        const QString file = params.dataSource.mid(int(sizeof("sqlite:")) - 1);
        return std::make_unique<SqliteEngine>(QDir(dataDirectory).absoluteFilePath(file), SqliteRole::Client,
                                              params.userId, params.password);
    }
    case EngineKind::Postgres:
        return std::make_unique<PgEngine>(params);
    case EngineKind::SqlServer:
        break;
    }
    return std::make_unique<OdbcEngine>(params);
}

} // namespace zeb
