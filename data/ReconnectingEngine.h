#pragma once

#include "data/Engine.h"

namespace zeb {

// The connection's engine as its users hold it, across the sessions a server may end under them (an
// administrator, a restart, a dropped line). Before a statement, a session found ended is replaced by a new
// one with the same credentials, once; the statement then goes out on it. Nothing that may have reached the
// server is ever sent again: a change lost on its way is reported as of unknown outcome, and inside a
// transaction no new session is opened until the transaction is rolled back, since the server dropped its
// statements with the old one.
class ReconnectingEngine final : public Engine
{
public:
    // What a statement lost on its way may have done.
    enum class Effect
    {
        Reads,
        Changes,
    };

    explicit ReconnectingEngine(std::unique_ptr<Engine> engine);

    EngineKind kind() const override { return m_engine->kind(); }
    const Dialect& dialect() const override { return m_engine->dialect(); }
    std::unique_ptr<TsqlRewriter> translator(Engine& reader) override;
    void open() override;
    void close() override;
    bool isOpen() const override { return m_engine->isOpen(); }

    StatementResult run(const QString& sql, const QVariantList& params = {}) override;
    StatementResult run(const QString& sql, const QVariantList& params, Effect effect);
    qint64 runPrepared(const QString& sql, const QVariantList& params) override;
    void runScript(const QString& script) override;
    StatementResult callProcedure(const ProcedureCall& call) override;

    void beginTransaction() override;
    void commit() override;
    void rollback() override;

private:
    // A session for the next statement: outside a transaction, one the server ended is replaced.
    void prepareSession();
    void reopen();
    bool hasServer() const;
    template <typename Statement> auto sent(Effect effect, Statement&& statement);

    std::unique_ptr<Engine> m_engine;
    // As the session stood before the last statement went out.
    bool m_inTransaction = false;
    // Credentials the server took once and refuses now tell another story than a first refusal.
    bool m_hadSession = false;
};

} // namespace zeb
