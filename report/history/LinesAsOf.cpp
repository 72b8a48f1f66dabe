#include "report/history/LinesAsOf.h"

#include "data/TsqlText.h"

#include <QStringList>

namespace zeb {

namespace {

// A condition followed by the one that comes after it.
QString where(const QString& condition)
{
    return condition.isEmpty() ? QString() : condition + QStringLiteral(" AND ");
}

// The columns of a line, in the order of the table.
const QStringList lineColumns{
    QStringLiteral("id_vakansiya"), QStringLiteral("id_otdel_1"),   QStringLiteral("id_otdel_11"),
    QStringLiteral("id_faculty"),   QStringLiteral("id_kafedra"),   QStringLiteral("id_post"),
    QStringLiteral("q_units"),      QStringLiteral("razrad"),       QStringLiteral("Num"),
    QStringLiteral("id_otdel_2"),   QStringLiteral("id_enter"),     QStringLiteral("e_n_p"),
    QStringLiteral("e_d_p"),        QStringLiteral("id_deduce"),    QStringLiteral("d_n_p"),
    QStringLiteral("d_d_p"),        QStringLiteral("id_structure"), QStringLiteral("id_bk"),
    QStringLiteral("ZEB_User"),     QStringLiteral("ZEB_Update"),   QStringLiteral("hourFond"),
    QStringLiteral("descr")};

// The first change of line `line` (an expression) made after `after` (a T-SQL date literal), by its key.
QString firstChangeAfter(const QString& line, const QString& after)
{
    return QStringLiteral("(SELECT min(f.id_history) FROM dbo.Vakansii_history f WHERE f.id_vakansiya = %1 "
                          "AND f.changed >= %2)")
        .arg(line, after);
}

// The lines as they are today, but for those changed or deleted after the day.
QString unchangedSince(const QString& after, const QString& condition)
{
    QStringList columns;
    for (const QString& column : lineColumns)
        columns.append(QStringLiteral("v.") + column);
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM dbo.Vakansii v WHERE ") + where(condition) +
           QStringLiteral("NOT EXISTS (SELECT 1 FROM dbo.Vakansii_history h WHERE h.id_vakansiya = "
                          "v.id_vakansiya AND h.change_kind <> 'I' AND h.id_history = ") +
           firstChangeAfter(QStringLiteral("v.id_vakansiya"), after) + u')';
}

// The values those lines had before their first change after the day. The save stamps are not kept.
QString valuesBefore(const QString& after, const QString& condition)
{
    QStringList columns;
    for (const QString& column : lineColumns) {
        if (column == u"id_vakansiya")
            columns.append(QStringLiteral("h.id_vakansiya"));
        else if (column.startsWith(u"ZEB_"))
            columns.append(QStringLiteral("NULL"));
        else
            columns.append(QStringLiteral("h.old_") + column);
    }
    return QStringLiteral("SELECT ") + columns.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM dbo.Vakansii_history h WHERE ") + where(condition) +
           QStringLiteral("h.changed >= ") + after +
           QStringLiteral(" AND h.change_kind <> 'I' AND h.id_history = ") +
           firstChangeAfter(QStringLiteral("h.id_vakansiya"), after);
}

} // namespace

QString linesAsOf(const QDate& day, const LineCondition& condition)
{
    // Changes are kept with the time they were made: the day's own ones count.
    const QString after = tsqlStringLiteral(day.addDays(1).toString(QStringLiteral("dd.MM.yyyy")));
    return unchangedSince(after, condition(QStringLiteral("v."))) + QStringLiteral(" UNION ALL ") +
           valuesBefore(after, condition(QStringLiteral("h.old_")));
}

} // namespace zeb
