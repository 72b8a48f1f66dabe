#include "report/vacancy/VacancyFigures.h"

#include <cstdlib>

namespace zeb {

void VacancyFigures::addLine(qint64 lineUnits, qint64 lineOccupied)
{
    units += lineUnits;
    occupied += lineOccupied;
    const qint64 free = lineUnits - lineOccupied;
    if (free > 0)
        vacant += free;
    else
        over -= free;
}

VacancyFigures& VacancyFigures::operator+=(const VacancyFigures& other)
{
    units += other.units;
    occupied += other.occupied;
    vacant += other.vacant;
    over += other.over;
    return *this;
}

QString vacancyFiguresNote()
{
    return QStringLiteral(
        "Занято — сумма ставок сотрудников, работающих на строке в этот день. Итоги "
        "подразделения — по всем его строкам, действующим на дату; вакантно — сумма вакантных "
        "единиц строк: строка, занятая сверх штата, не закрывает вакансию другой строки.");
}

QString hundredthsText(qint64 hundredths)
{
    const qint64 whole = std::llabs(hundredths) / 100;
    const qint64 fraction = std::llabs(hundredths) % 100;
    QString text = QString::number(whole);
    if (fraction != 0) {
        text += QLatin1Char(',');
        text += fraction % 10 == 0 ? QString::number(fraction / 10)
                                   : QStringLiteral("%1").arg(fraction, 2, 10, QLatin1Char('0'));
    }
    return hundredths < 0 ? QLatin1Char('-') + text : text;
}

} // namespace zeb
