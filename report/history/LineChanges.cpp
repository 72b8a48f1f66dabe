#include "report/history/LineChanges.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "data/dataset/ValueText.h"
#include "report/history/HistoryColumns.h"

namespace zeb {

namespace {

// Header columns, then per column its old and new value and, for a key, the old and new name.
constexpr int headerColumns = 5;

QString historyStatement(const QList<HistoryColumn>& columns, const QString& condition, ChangeOrder order)
{
    QString select =
        QStringLiteral("SELECT h.change_kind, h.changed, h.ZEB_User, h.db_login, h.id_vakansiya");
    QString joins;
    for (qsizetype i = 0; i < columns.size(); ++i) {
        const HistoryColumn& column = columns[i];
        select += QStringLiteral(", h.old_%1, h.new_%1").arg(column.name);
        if (!column.isLookup())
            continue;
        for (const QString& side : {QStringLiteral("old"), QStringLiteral("new")}) {
            const QString alias = side.left(1) + QString::number(i);
            select += QStringLiteral(", %1.%2").arg(alias, column.lookupName);
            joins += QStringLiteral(" LEFT JOIN dbo.%1 %2 ON %2.%3 = h.%4_%5")
                         .arg(column.lookupTable, alias, column.lookupKey, side, column.name);
        }
    }
    return select + QStringLiteral(" FROM dbo.Vakansii_history h") + joins + QStringLiteral(" WHERE ") +
           condition + QStringLiteral(" ORDER BY h.id_history") +
           (order == ChangeOrder::NewestFirst ? QStringLiteral(" DESC") : QString());
}

LineChange::Kind kindOf(const QString& code)
{
    if (code.trimmed() == u"I")
        return LineChange::Kind::Inserted;
    if (code.trimmed() == u"D")
        return LineChange::Kind::Deleted;
    return LineChange::Kind::Updated;
}

// Reads a change's columns from a row of historyStatement(), keeping those the change concerns.
class ColumnReader
{
public:
    ColumnReader(const ResultCursor& row, LineChange::Kind kind) : m_row(row), m_kind(kind) {}

    void read(const HistoryColumn& column, QList<ColumnChange>& changes)
    {
        const int before = m_next;
        const int after = m_next + 1;
        m_next += column.isLookup() ? 4 : 2;
        const bool hadValue = !m_row.isNull(before);
        const bool hasValue = !m_row.isNull(after);
        const bool concerned = m_kind == LineChange::Kind::Inserted  ? hasValue
                               : m_kind == LineChange::Kind::Deleted ? hadValue
                                                                     : changed(before, after);
        if (!concerned)
            return;
        changes.append({column.title, shown(column, before, before + 2), shown(column, after, after + 2)});
    }

private:
    bool changed(int before, int after) const
    {
        if (m_row.isNull(before) || m_row.isNull(after))
            return m_row.isNull(before) != m_row.isNull(after);
        return m_row.value(before) != m_row.value(after);
    }

    // A key by its name; a key whose row is gone by its number.
    QString shown(const HistoryColumn& column, int valueColumn, int nameColumn) const
    {
        if (m_row.isNull(valueColumn))
            return {};
        if (column.isLookup())
            return m_row.isNull(nameColumn) ? QStringLiteral("код %1").arg(m_row.toInt64(valueColumn))
                                            : m_row.toText(nameColumn).trimmed();
        return valuetext::toDisplay(m_row.value(valueColumn), column.type, column.format);
    }

    const ResultCursor& m_row;
    LineChange::Kind m_kind;
    int m_next = headerColumns;
};

} // namespace

QString changeKindText(LineChange::Kind kind)
{
    switch (kind) {
    case LineChange::Kind::Inserted:
        return QStringLiteral("Строка добавлена");
    case LineChange::Kind::Updated:
        return QStringLiteral("Строка изменена");
    case LineChange::Kind::Deleted:
        return QStringLiteral("Строка удалена");
    }
    Q_UNREACHABLE();
}

QString lineChangesStatement(const QString& condition, ChangeOrder order)
{
    return historyStatement(historyColumns(), condition, order);
}

QList<LineChange> readLineChanges(Connection& connection, const QString& condition, ChangeOrder order)
{
    const QList<HistoryColumn> columns = historyColumns();
    const std::unique_ptr<ResultCursor> rows = connection.query(historyStatement(columns, condition, order));
    QList<LineChange> changes;
    while (rows->next()) {
        LineChange change;
        change.kind = kindOf(rows->toText(0));
        change.changed = rows->value(1).toDateTime();
        change.zebUser = rows->isNull(2) ? QString() : rows->toText(2).trimmed();
        change.dbLogin = rows->toText(3).trimmed();
        change.line = rows->toInt64(4);
        ColumnReader reader(*rows, change.kind);
        for (const HistoryColumn& column : columns)
            reader.read(column, change.columns);
        changes.append(change);
    }
    return changes;
}

} // namespace zeb
