#include "schedule/grid/ColumnQuestions.h"

#include "schedule/grid/ScheduleColumns.h"

namespace zeb {

QList<ColumnQuestion> scheduleColumnQuestions()
{
    return {
        {ScheduleColumn::Post, QStringLiteral("Вы действительно хотите изменить должность?"),
         QStringLiteral("id_post"), RestoreAs::Value},
        {ScheduleColumn::FundingSource,
         QStringLiteral("Вы действительно хотите изменить источник финансирования?"), QStringLiteral("id_bk"),
         RestoreAs::Value},
        {ScheduleColumn::Grade, QStringLiteral("Вы действительно хотите изменить разряд?"),
         QStringLiteral("razrad"), RestoreAs::Text},
        {ScheduleColumn::Units, QStringLiteral("Вы действительно хотите изменить количество единиц?"),
         QStringLiteral("q_units"), RestoreAs::Text},
        // The entry kind asks as the post does.
        {ScheduleColumn::Enter, QStringLiteral("Вы действительно хотите изменить должность?"),
         QStringLiteral("id_enter"), RestoreAs::Value},
        {ScheduleColumn::EntryOrder, QStringLiteral("Вы действительно хотите изменить данные?"),
         QStringLiteral("e_n_p"), RestoreAs::Text},
        {ScheduleColumn::EntryDate, QStringLiteral("Вы действительно хотите изменить дату внесения?"),
         QStringLiteral("e_d_p"), RestoreAs::Value},
        {ScheduleColumn::Deduce, QStringLiteral("Вы действительно хотите исключить должность?"),
         QStringLiteral("id_deduce"), RestoreAs::Value},
        {ScheduleColumn::WithdrawalOrder, QStringLiteral("Вы действительно хотите изменить запись?"),
         QStringLiteral("d_n_p"), RestoreAs::Text},
        {ScheduleColumn::WithdrawalDate, QStringLiteral("Вы действительно хотите изменить дату?"),
         QStringLiteral("d_d_p"), RestoreAs::Value},
    };
}

} // namespace zeb
