#include "data/sqlite/SqliteFailure.h"

#include "data/FaultClassifier.h"

#include <QDir>
#include <sqlite3.h>

namespace zeb {

EngineFailure sqliteFailure(sqlite3* db, QStringView sql)
{
    EngineFailure failure;
    failure.fault = faults::ofSqlite(sqlite3_extended_errcode(db), faults::deletesRows(sql));
    failure.engineText = QString::fromUtf8(sqlite3_errmsg(db));
    if (const char* file = sqlite3_db_filename(db, "main"); file && *file)
        failure.database = QDir::toNativeSeparators(QString::fromUtf8(file));
    return failure;
}

} // namespace zeb
