#pragma once

#include "data/ConnectionParams.h"
#include "data/ProcedureCall.h"
#include "data/StatementResult.h"

#include <QVariantList>
#include <memory>

namespace zeb {

// One database engine behind the connection. Statements given here are in the engine's own dialect;
// parameters are bound positionally (SQLite and ODBC: '?', PostgreSQL: '$1'...).
// Every failure raises DatabaseError with the engine's message.
class Engine
{
public:
    virtual ~Engine() = default;

    virtual EngineKind kind() const = 0;
    virtual void open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual StatementResult run(const QString& sql, const QVariantList& params = {}) = 0;
    // A statement without rows that is sent again and again with other values (write-back's UPDATE and
    // DELETE): the engine may keep it prepared by its text. Returns the rows changed.
    virtual qint64 runPrepared(const QString& sql, const QVariantList& params);
    // Several statements separated by semicolons, no parameters, no rows (schema scripts).
    virtual void runScript(const QString& script) = 0;
    // Procedures the engine cannot run as SQL (the embedded engine's are C++).
    virtual StatementResult callProcedure(const ProcedureCall& call);

    virtual void beginTransaction() = 0;
    virtual void commit() = 0;
    virtual void rollback() = 0;

    // dataDirectory resolves a relative embedded database file.
    static std::unique_ptr<Engine> create(const ConnectionParams& params, const QString& dataDirectory);
};

} // namespace zeb
