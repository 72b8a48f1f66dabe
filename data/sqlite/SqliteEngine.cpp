#include "SqliteEngine.h"

#include "DatabaseError.h"

namespace zeb {

namespace {
[[noreturn]] void notYet()
{
    throw DatabaseError(QStringLiteral("SqliteEngine: not built yet"));
}
} // namespace

SqliteEngine::SqliteEngine(QString filePath) : m_filePath(std::move(filePath)) {}
SqliteEngine::~SqliteEngine() = default;
void SqliteEngine::open() { notYet(); }
void SqliteEngine::close() {}
StatementResult SqliteEngine::run(const QString&, const QVariantList&) { notYet(); }
void SqliteEngine::runScript(const QString&) { notYet(); }
StatementResult SqliteEngine::callProcedure(const ProcedureCall&) { notYet(); }
void SqliteEngine::beginTransaction() { notYet(); }
void SqliteEngine::commit() { notYet(); }
void SqliteEngine::rollback() { notYet(); }

} // namespace zeb
