#include "data/sqlite/SqliteFailure.h"

#include "data/FaultClassifier.h"

#include <QDir>
#include <QRegularExpression>
#include <sqlite3.h>

namespace zeb {

namespace {

// The name of a named CHECK constraint or unique index the message gives; empty for a column list or an
// expression.
QString namedConstraint(const QString& engineText)
{
    static const QRegularExpression named(
        QStringLiteral("^(?:CHECK constraint failed: (\\w+)|UNIQUE constraint failed: index '(\\w+)')$"));
    const QRegularExpressionMatch match = named.match(engineText);
    if (!match.hasMatch())
        return {};
    return match.captured(1).isEmpty() ? match.captured(2) : match.captured(1);
}

} // namespace

EngineFailure sqliteFailure(sqlite3* db, QStringView sql)
{
    EngineFailure failure;
    failure.fault = faults::ofSqlite(sqlite3_extended_errcode(db), faults::deletesRows(sql));
    failure.engineText = QString::fromUtf8(sqlite3_errmsg(db));
    failure.constraint = namedConstraint(failure.engineText);
    if (const char* file = sqlite3_db_filename(db, "main"); file && *file)
        failure.database = QDir::toNativeSeparators(QString::fromUtf8(file));
    return failure;
}

} // namespace zeb
