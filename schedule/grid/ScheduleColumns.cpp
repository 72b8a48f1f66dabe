#include "schedule/grid/ScheduleColumns.h"

namespace zeb {

namespace {

// The widest date the date columns show.
constexpr char16_t dateText[] = u"28.12.2099";

GridColumn column(const QString& field, const QString& title, int width, const char16_t* minimumText)
{
    GridColumn c;
    c.fieldName = field;
    c.title = title;
    c.width = width;
    c.minimumText = QString::fromUtf16(minimumText);
    return c;
}

// Narrow number columns show their digits rather than an ellipsis.
GridColumn narrowNumber(const QString& field, const QString& title, int width, const char16_t* minimumText)
{
    GridColumn c = column(field, title, width, minimumText);
    c.ellipsis = false;
    return c;
}

} // namespace

QList<GridColumn> scheduleGridColumns()
{
    GridColumn post = column(QStringLiteral("POST"), QStringLiteral("Должность"), 309, u"Преподаватель");
    post.alwaysShowDropDownButton = true;
    post.dropDownRows = 14;
    post.dropDownWidth = 600;
    GridColumn fundingSource = column(QStringLiteral("bk"), QStringLiteral("Б/К"), 66, u"Внебюдж.");
    fundingSource.dropDownWidth = 100;

    // Each column keeps room for a date, a number or the short name it usually shows. Placed by the enum, so
    // a handler bound to a column's name reaches that column whatever the order.
    QList<GridColumn> columns(ScheduleColumn::Count);
    columns[ScheduleColumn::Num] = column(QStringLiteral("Num"), QStringLiteral("№"), 36, u"9999");
    columns[ScheduleColumn::Structure] =
        column(QStringLiteral("Structure"), QStringLiteral("Состав"), 56, u"ППС");
    columns[ScheduleColumn::Post] = post;
    columns[ScheduleColumn::FundingSource] = fundingSource;
    columns[ScheduleColumn::Grade] =
        narrowNumber(QStringLiteral("razrad"), QStringLiteral("Раз- ряд"), 37, u"18");
    columns[ScheduleColumn::Units] =
        narrowNumber(QStringLiteral("q_units"), QStringLiteral("Кол. ед."), 38, u"0,25");
    columns[ScheduleColumn::HourFund] =
        column(QStringLiteral("hourFond"), QStringLiteral("Почасовой фонд"), 86, u"99999,99");
    columns[ScheduleColumn::Enter] =
        column(QStringLiteral("Enter"), QStringLiteral("Ввести|Ввести"), 75, u"Вакантная");
    columns[ScheduleColumn::EntryOrder] =
        column(QStringLiteral("e_n_p"), QStringLiteral("Ввести|№ приказа"), 61, u"123-к");
    columns[ScheduleColumn::EntryDate] =
        column(QStringLiteral("e_d_p"), QStringLiteral("Ввести|Дата приказа"), 90, dateText);
    columns[ScheduleColumn::Deduce] =
        column(QStringLiteral("Deduce"), QStringLiteral("Вывести|Вывести"), 73, u"Не выведена");
    columns[ScheduleColumn::WithdrawalOrder] =
        column(QStringLiteral("d_n_p"), QStringLiteral("Вывести|№ приказа"), 65, u"123-к");
    columns[ScheduleColumn::WithdrawalDate] =
        column(QStringLiteral("d_d_p"), QStringLiteral("Вывести|Дата приказа"), 81, dateText);
    return columns;
}

} // namespace zeb
