#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>

namespace zeb {

class Connection;

// One column of a change, both values as the grid writes them (empty for none).
struct ColumnChange
{
    QString title;
    QString before;
    QString after;

    bool operator==(const ColumnChange&) const = default;
};

// One change of a schedule line as the database recorded it.
struct LineChange
{
    enum class Kind
    {
        Inserted,
        Updated,
        Deleted,
    };

    Kind kind = Kind::Updated;
    QDateTime changed; // the server's time
    QString zebUser;   // the login the program stamped on the line
    QString dbLogin;   // the database login of the session that made the change
    // An update: the columns it changed. An insert: the values the line got, a delete: those it had.
    QList<ColumnChange> columns;
};

// What the office reads of a change's kind: "Строка добавлена", "Строка изменена", "Строка удалена".
QString changeKindText(LineChange::Kind kind);

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
