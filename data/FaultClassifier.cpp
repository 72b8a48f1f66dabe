#include "data/FaultClassifier.h"

#include <sqlite3.h>

namespace zeb::faults {

namespace {

bool startsWith(QByteArrayView code, const char* prefix)
{
    return code.startsWith(QByteArrayView(prefix));
}

} // namespace

DatabaseFault ofSqlite(int extendedCode, bool deleting)
{
    switch (extendedCode) {
    case SQLITE_CONSTRAINT_FOREIGNKEY:
        return deleting ? DatabaseFault::StillReferenced : DatabaseFault::MissingReference;
    case SQLITE_CONSTRAINT_UNIQUE:
    case SQLITE_CONSTRAINT_PRIMARYKEY:
    case SQLITE_CONSTRAINT_ROWID:
        return DatabaseFault::DuplicateKey;
    case SQLITE_CONSTRAINT_NOTNULL:
    case SQLITE_CONSTRAINT_CHECK:
        return DatabaseFault::ConstraintViolated;
    default:
        break;
    }
    // A trigger's refusal (SQLITE_CONSTRAINT_TRIGGER) speaks for itself.
    switch (extendedCode & 0xff) {
    case SQLITE_FULL:
        return DatabaseFault::DiskFull;
    case SQLITE_READONLY:
        return DatabaseFault::ReadOnly;
    default:
        return DatabaseFault::Other;
    }
}

DatabaseFault ofSqlState(QByteArrayView sqlState, bool deleting)
{
    if (sqlState == "23503")
        return deleting ? DatabaseFault::StillReferenced : DatabaseFault::MissingReference;
    if (sqlState == "23505")
        return DatabaseFault::DuplicateKey;
    // ODBC's one code for every integrity rule: a delete can only break a foreign key.
    if (sqlState == "23000")
        return deleting ? DatabaseFault::StillReferenced : DatabaseFault::ConstraintViolated;
    if (startsWith(sqlState, "23"))
        return DatabaseFault::ConstraintViolated;
    if (sqlState == "22003")
        return DatabaseFault::ValueOutOfRange;
    if (startsWith(sqlState, "531")) // disk_full
        return DatabaseFault::DiskFull;
    if (sqlState == "25006") // read_only_sql_transaction: a standby server, or a database set read only
        return DatabaseFault::ReadOnly;
    if (sqlState == "57P01") // admin_shutdown
        return DatabaseFault::SessionEnded;
    if (sqlState == "57P02") // crash_shutdown: another session crashed, the server restarts
        return DatabaseFault::ServerRecovering;
    if (sqlState == "57P03") // cannot_connect_now
        return DatabaseFault::ServerRejecting;
    if (sqlState == "08001" || sqlState == "08004") // cannot establish, rejected
        return DatabaseFault::ServerUnreachable;
    if (startsWith(sqlState, "08"))
        return DatabaseFault::ConnectionLost;
    return DatabaseFault::Other;
}

DatabaseFault ofRejection(const QString& engineText)
{
    if (engineText.contains(QLatin1String("starting up")) ||
        engineText.contains(QLatin1String("not yet accepting connections")))
        return DatabaseFault::ServerStarting;
    if (engineText.contains(QLatin1String("shutting down")))
        return DatabaseFault::ServerShuttingDown;
    if (engineText.contains(QLatin1String("recovery mode")))
        return DatabaseFault::ServerRecovering;
    return DatabaseFault::ServerRejecting;
}

bool deletesRows(QStringView sql)
{
    qsizetype at = 0;
    while (at < sql.size()) {
        if (sql[at].isSpace() || sql[at] == QLatin1Char(';')) {
            ++at;
        } else if (sql.mid(at).startsWith(QLatin1String("--"))) {
            const qsizetype end = sql.indexOf(QLatin1Char('\n'), at);
            at = end < 0 ? sql.size() : end + 1;
        } else if (sql.mid(at).startsWith(QLatin1String("/*"))) {
            const qsizetype end = sql.indexOf(QLatin1String("*/"), at + 2);
            at = end < 0 ? sql.size() : end + 2;
        } else {
            break;
        }
    }
    const QStringView word = sql.mid(at, 6);
    return word.compare(QLatin1String("delete"), Qt::CaseInsensitive) == 0 &&
           (at + 6 == sql.size() || !sql[at + 6].isLetterOrNumber());
}

} // namespace zeb::faults
