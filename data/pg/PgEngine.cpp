#include "PgEngine.h"

#include "DatabaseError.h"

namespace zeb {

namespace {
[[noreturn]] void notYet()
{
    throw DatabaseError(QStringLiteral("PgEngine: not built yet"));
}
} // namespace

PgEngine::PgEngine(ConnectionParams params) : m_params(std::move(params)) {}
PgEngine::~PgEngine() = default;
void PgEngine::open() { notYet(); }
void PgEngine::close() {}
StatementResult PgEngine::run(const QString&, const QVariantList&) { notYet(); }
void PgEngine::runScript(const QString&) { notYet(); }
void PgEngine::beginTransaction() { notYet(); }
void PgEngine::commit() { notYet(); }
void PgEngine::rollback() { notYet(); }

} // namespace zeb
