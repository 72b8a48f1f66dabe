#include "schedule/history/LineHistory.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"
#include "data/TsqlText.h"

namespace zeb {

QList<LineChange> LineHistory::changesOf(const QVariant& line)
{
    return readLineChanges(m_connection, QStringLiteral("h.id_vakansiya = ") + decimalKey(line),
                           ChangeOrder::NewestFirst);
}

QDate LineHistory::keptSince()
{
    const std::unique_ptr<ResultCursor> rows = m_connection.query(
        QStringLiteral("SELECT TOP(1) changed FROM dbo.Vakansii_history ORDER BY changed"));
    if (!rows->next() || rows->isNull(0))
        return {};
    return rows->value(0).toDateTime().date();
}

} // namespace zeb
