#pragma once

#include <QDate>
#include <QHash>
#include <QVariant>

namespace zeb {

class Connection;

// The lines of one unit by the keys that place a line there (null where unused): a division with or without
// its sub-level, or a faculty with or without its level-2 division or department. All keys null: every line.
struct VacancyScope
{
    QVariant division;
    QVariant subLevel;
    QVariant faculty;
    QVariant level2Division;
    QVariant department;
};

// The staff units occupied on each line on one day: the sum of the rates (Stavka.stavka, in hundredths) of
// the employees placed on the line (Working) who count on that day. An employee counts from the day they
// came (date_come) up to the day before they left: one who leaves on the day no longer counts, so that a
// successor coming that day does not make the line look occupied twice. A leaving date, where given,
// decides; without one, the leaving kind tells: id_leave 4 or NULL is still on the line, any other kind
// left at a time not recorded, and counts on no day. Read with one statement.
class LineOccupancy
{
public:
    static LineOccupancy load(Connection& connection, const QDate& day, const VacancyScope& scope = {});

    // Hundredths of a staff unit; 0 for a line nobody occupies.
    qint64 occupiedHundredths(qint64 lineKey) const { return m_byLine.value(lineKey); }

private:
    QHash<qint64, qint64> m_byLine;
};

} // namespace zeb
