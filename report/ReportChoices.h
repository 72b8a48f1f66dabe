#pragma once

#include "report/ScheduleReport.h"

namespace zeb {

// What the officer chose for the last staff schedule, offered again the next time on this workstation.
enum class ReportKind
{
    Schedule,
    Vacancies,
    Changes,
};

struct ReportChoices
{
    // Not remembered: the staff schedule is what is made most often.
    ReportKind kind = ReportKind::Schedule;
    QDate asOf;
    FormDetails details;
    // The period of the changes report, both days included.
    QDate changesFrom;
    QDate changesTo;
    // "pdf", "xlsx" or "html".
    QString extension;
};

// The last choices; the first time, a report as of `today`, compiled today, for the calendar year, in PDF,
// and the changes from the first of the month to `today`.
// The date of the report itself always starts as `today`: yesterday's date is seldom what is wanted.
ReportChoices rememberedReportChoices(const QDate& today);
void rememberReportChoices(const ReportChoices& choices);

// Why the choices cannot make a report, in words for the officer; empty when they can.
QString reportChoicesFault(const ReportChoices& choices);

} // namespace zeb
