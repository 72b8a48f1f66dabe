#include "data/ReconnectingEngine.h"

#include "data/DatabaseError.h"
#include "data/SqlTrace.h"
#include "data/tsql/TsqlRewriter.h"

namespace zeb {

namespace {

DatabaseError withFault(const DatabaseError& error, DatabaseFault fault)
{
    EngineFailure failure;
    failure.fault = fault;
    failure.engineText = error.engineText();
    failure.database = error.database();
    return DatabaseError(failure);
}

DatabaseError transactionLost()
{
    return DatabaseError(QStringLiteral(
        "Связь с сервером базы данных прервалась посреди операции, и сервер отменил всё, что она успела "
        "изменить. Повторите операцию."));
}

} // namespace

ReconnectingEngine::ReconnectingEngine(std::unique_ptr<Engine> engine) : m_engine(std::move(engine)) {}

void ReconnectingEngine::open()
{
    if (!m_engine->isOpen())
        reopen();
}

void ReconnectingEngine::reopen()
{
    if (m_inTransaction)
        throw transactionLost();
    if (m_hadSession)
        qCDebug(zebSql) << "engine: the session has ended; connecting again";
    try {
        m_engine->open();
    } catch (const DatabaseError& refusal) {
        if (!m_hadSession || isServerFault(refusal.fault()) || !hasServer())
            throw;
        throw withFault(refusal, DatabaseFault::SessionRefused);
    }
    m_hadSession = true;
}

// The embedded engine closes itself only before a statement it refuses (a locked person), and its refusals
// say all there is to say.
bool ReconnectingEngine::hasServer() const
{
    return kind() != EngineKind::Sqlite;
}

void ReconnectingEngine::close()
{
    m_inTransaction = false;
    m_engine->close();
}

void ReconnectingEngine::prepareSession()
{
    if (m_engine->isOpen()) {
        m_inTransaction = m_engine->holdsTransaction();
        if (m_inTransaction)
            return;
        m_engine->closeIfEnded();
        if (m_engine->isOpen())
            return;
    }
    reopen();
}

// A session that ends under a statement is closed by the engine.
template <typename Statement> auto ReconnectingEngine::sent(Effect effect, Statement&& statement)
{
    prepareSession();
    try {
        return statement();
    } catch (const DatabaseError& error) {
        if (effect == Effect::Changes && !m_inTransaction && !m_engine->isOpen() && hasServer())
            throw withFault(error, DatabaseFault::OutcomeUnknown);
        throw;
    }
}

StatementResult ReconnectingEngine::run(const QString& sql, const QVariantList& params)
{
    return run(sql, params, Effect::Changes);
}

StatementResult ReconnectingEngine::run(const QString& sql, const QVariantList& params, Effect effect)
{
    return sent(effect, [&] { return m_engine->run(sql, params); });
}

qint64 ReconnectingEngine::runPrepared(const QString& sql, const QVariantList& params)
{
    return sent(Effect::Changes, [&] { return m_engine->runPrepared(sql, params); });
}

void ReconnectingEngine::runScript(const QString& script)
{
    sent(Effect::Changes, [&] { m_engine->runScript(script); });
}

StatementResult ReconnectingEngine::callProcedure(const ProcedureCall& call)
{
    return sent(Effect::Changes, [&] { return m_engine->callProcedure(call); });
}

void ReconnectingEngine::beginTransaction()
{
    sent(Effect::Reads, [&] { m_engine->beginTransaction(); });
}

// A commit lost on its way leaves the transaction's outcome unknown.
void ReconnectingEngine::commit()
{
    prepareSession();
    try {
        m_engine->commit();
    } catch (const DatabaseError& error) {
        if (m_engine->isOpen() || !hasServer())
            throw;
        m_inTransaction = false;
        throw withFault(error, DatabaseFault::OutcomeUnknown);
    }
    m_inTransaction = false;
}

// A lost session took its transaction with it: nothing is left to undo, and the next statement may connect
// again.
void ReconnectingEngine::rollback()
{
    m_inTransaction = false;
    m_engine->rollback();
}

std::unique_ptr<TsqlRewriter> ReconnectingEngine::translator(Engine& reader)
{
    return m_engine->translator(reader);
}

} // namespace zeb
