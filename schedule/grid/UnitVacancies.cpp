#include "schedule/grid/UnitVacancies.h"

#include "data/dataset/Dataset.h"
#include "report/Money.h"
#include "report/vacancy/VacancyFigures.h"

namespace zeb {

QString unitVacancyNote(Connection& connection, const Dataset& lines, const QDate& day,
                        const VacancyScope& scope)
{
    if ((scope.division.isNull() && scope.faculty.isNull()) || !lines.isActive() || lines.isEmpty())
        return {};
    const LineOccupancy occupancy = LineOccupancy::load(connection, day, scope);
    const int key = lines.fieldIndex(QStringLiteral("id_vakansiya"));
    const int units = lines.fieldIndex(QStringLiteral("q_units"));
    VacancyFigures figures;
    for (int row = 0; row < lines.recordCount(); ++row) {
        const QVariant line = lines.valueAt(row, key);
        figures.addLine(unitHundredths(lines.valueAt(row, units).toDouble()),
                        line.isNull() ? 0 : occupancy.occupiedHundredths(line.toLongLong()));
    }
    QString note = QStringLiteral("занято %1 · вакантно %2")
                       .arg(hundredthsText(figures.occupied), hundredthsText(figures.vacant));
    if (figures.over > 0)
        note += QStringLiteral(" · сверх ") + hundredthsText(figures.over);
    return note;
}

} // namespace zeb
