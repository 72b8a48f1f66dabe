#pragma once

#include "data/ProcedureCall.h"
#include "data/StatementResult.h"

#include <QStringList>

namespace zeb {
class SqliteEngine;
}

// The stored procedures of the embedded engine, written in C++. Each runs inside the transaction that
// SqliteEngine::callProcedure opens around it.
namespace zeb::sqliteprocedures {

using Procedure = StatementResult (*)(SqliteEngine& engine, const QList<ProcedureArgument>& arguments);

// The procedure of that name, matched ignoring letter case; null when there is none.
Procedure find(const QString& name);

// Puts the arguments in parameter order, as EXEC does: positional ones first, then named ones
// (without '@', any letter case). Every parameter must be given exactly once.
QVariantList orderArguments(const QString& procedure, const QStringList& parameters,
                            const QList<ProcedureArgument>& arguments);

StatementResult getUser(SqliteEngine& engine, const QList<ProcedureArgument>& arguments);
StatementResult copyKafedraOnKafedra(SqliteEngine& engine, const QList<ProcedureArgument>& arguments);

} // namespace zeb::sqliteprocedures
