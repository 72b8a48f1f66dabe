#pragma once

#include "report/change/ChangesReport.h"

namespace zeb::changetexts {

// The texts the changes report prints beside its numbers, the same in every file format.

// "Изменения штатного расписания".
QString title();
// "за период с 01.03.2024 по 31.03.2024".
QString periodText(const ChangesReport& report);
// What the figures count, in a few sentences.
QString explanation(const ChangesReport& report);
// "Бухгалтерия (код 0101)".
QString unitText(const ChangesGroup& group);
// "12-к от 15.03.2024", what of it there is.
QString orderText(const ChangedLine& line);
// Staff units with their sign: "+1", "-0,5", "0".
QString signedUnits(qint64 hundredths);
// One change a line: "15.03.2024 Кол. ед.: 1 → 0,5; Должность: Доцент → Профессор", "20.03.2024 строка
// удалена".
QString changesText(const ChangedLine& line);
// Whether any unit has a line listed, and what the report says when none has.
bool anyListed(const ChangesReport& report);
QString noLinesText();
// The lists' headings and the captions of their parts.
QStringList lineHeadings();
QStringList figureHeadings();
QString enteredCaption();
QString withdrawnCaption();
QString changedCaption();

} // namespace zeb::changetexts
