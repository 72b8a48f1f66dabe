#pragma once

#include "report/history/LineChanges.h"

#include <QVariant>

namespace zeb {

class Connection;

// Reads the history the database keeps of the schedule lines, through the client's connection.
class LineHistory
{
public:
    explicit LineHistory(Connection& connection) : m_connection(connection) {}

    // The changes of the line with key `line`, newest first. Raises zeb::Error for a key that is not an
    // integer, DatabaseError when the engine refuses.
    QList<LineChange> changesOf(const QVariant& line);
    // The day of the oldest change kept: the history knows nothing of what happened before it. Null when
    // nothing is kept yet.
    QDate keptSince();

private:
    Connection& m_connection;
};

} // namespace zeb
