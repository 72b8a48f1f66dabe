#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

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

    qint64 line = 0; // the line's key
    Kind kind = Kind::Updated;
    QDateTime changed; // the server's time
    QString zebUser;   // the login the program stamped on the line
    QString dbLogin;   // the database login of the session that made the change
    // An update: the columns it changed. An insert: the values the line got, a delete: those it had.
    QList<ColumnChange> columns;
};

// What the office reads of a change's kind: "Строка добавлена", "Строка изменена", "Строка удалена".
QString changeKindText(LineChange::Kind kind);

enum class ChangeOrder
{
    OldestFirst,
    NewestFirst,
};

// The changes of the schedule lines that the history (Vakansii_history, alias h) keeps and `condition` (a
// condition on h's columns) selects, in the order they were made or its reverse. Raises DatabaseError when
// the engine refuses.
QList<LineChange> readLineChanges(Connection& connection, const QString& condition, ChangeOrder order);
// The statement it reads them with.
QString lineChangesStatement(const QString& condition, ChangeOrder order);

} // namespace zeb
