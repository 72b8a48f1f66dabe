#include "OdbcEngine.h"

#include "DatabaseError.h"

namespace zeb {

namespace {
[[noreturn]] void notYet()
{
    throw DatabaseError(QStringLiteral("OdbcEngine: not built yet"));
}
} // namespace

OdbcEngine::OdbcEngine(ConnectionParams params) : m_params(std::move(params)) {}
OdbcEngine::~OdbcEngine() = default;
void OdbcEngine::open() { notYet(); }
void OdbcEngine::close() {}
bool OdbcEngine::isOpen() const { return false; }
StatementResult OdbcEngine::run(const QString&, const QVariantList&) { notYet(); }
void OdbcEngine::runScript(const QString&) { notYet(); }
void OdbcEngine::beginTransaction() { notYet(); }
void OdbcEngine::commit() { notYet(); }
void OdbcEngine::rollback() { notYet(); }

} // namespace zeb
