#pragma once

#include <QStringView>
#include <array>

namespace zeb::formcolumns {

// The staff schedule's columns in the unified form's order, numbered from 1 under their headings; the
// form's ten come first, then what the office keeps beside them.
enum Column
{
    Unit,
    UnitCode,
    Post,
    Units,
    Salary,
    Allowance1,
    Allowance2,
    Allowance3,
    MonthlyTotal,
    Note,
    HourlyFund,
    Funding,
    EntryOrder,
    Count,
};

struct Heading
{
    QStringView text;
    // Relative width on a landscape sheet; the widths add up to 100.
    int width;
};

// Columns 6 to 8 stand under one heading, "Надбавки, руб."; their own headings are empty.
constexpr QStringView allowancesHeading = u"Надбавки, руб.";

constexpr std::array<Heading, Count> headings = {{
    {u"Структурное подразделение, наименование", 14},
    {u"код", 4},
    {u"Должность (специальность, профессия), разряд, класс (категория) квалификации", 17},
    {u"Количество штатных единиц", 6},
    {u"Тарифная ставка (оклад) и пр., руб.", 8},
    {u"", 5},
    {u"", 5},
    {u"", 5},
    {u"Всего, руб. (гр. 5 + гр. 6 + гр. 7 + гр. 8) × гр. 4", 9},
    {u"Примечание", 9},
    {u"Почасовой фонд", 5},
    {u"Источник финансирования", 6},
    {u"Приказ о вводе: № и дата", 7},
}};

} // namespace zeb::formcolumns
