#include "data/Engine.h"

#include "data/DatabaseError.h"
#include "data/tsql/TsqlRewriter.h"

namespace zeb {

qint64 Engine::runPrepared(const QString& sql, const QVariantList& params)
{
    return run(sql, params).rowsAffected;
}

StatementResult Engine::callProcedure(const ProcedureCall& call)
{
    throw DatabaseError(QStringLiteral("Процедура %1 не поддерживается этим сервером.").arg(call.name));
}

std::unique_ptr<TsqlRewriter> Engine::translator(Engine&)
{
    return nullptr;
}

} // namespace zeb
