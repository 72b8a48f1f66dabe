#include "ScheduleColumns.h"

namespace zeb {

namespace {

GridColumn column(const QString& field, const QString& title, int width)
{
    GridColumn c;
    c.fieldName = field;
    c.title = title;
    c.width = width;
    return c;
}

// Narrow number columns show their digits rather than an ellipsis.
GridColumn narrowNumber(const QString& field, const QString& title, int width)
{
    GridColumn c = column(field, title, width);
    c.ellipsis = false;
    return c;
}

} // namespace

QList<GridColumn> scheduleGridColumns()
{
    GridColumn post = column(QStringLiteral("POST"), QStringLiteral("Должность"), 309);
    post.alwaysShowDropDownButton = true;
    post.dropDownRows = 14;
    post.dropDownWidth = 600;
    GridColumn fundingSource = column(QStringLiteral("bk"), QStringLiteral("Б/К"), 66);
    fundingSource.dropDownWidth = 100;

    return {
        column(QStringLiteral("Num"), QStringLiteral("№"), 36),
        column(QStringLiteral("Structure"), QStringLiteral("Состав"), 56),
        post,
        fundingSource,
        narrowNumber(QStringLiteral("razrad"), QStringLiteral("Раз- ряд"), 37),
        narrowNumber(QStringLiteral("q_units"), QStringLiteral("Кол. ед."), 38),
        column(QStringLiteral("hourFond"), QStringLiteral("Почасовой фонд"), 86),
        column(QStringLiteral("Enter"), QStringLiteral("Ввести|Ввести"), 75),
        column(QStringLiteral("e_n_p"), QStringLiteral("Ввести|№ приказа"), 61),
        column(QStringLiteral("e_d_p"), QStringLiteral("Ввести|Дата приказа"), 90),
        column(QStringLiteral("Deduce"), QStringLiteral("Вывести|Вывести"), 73),
        column(QStringLiteral("d_n_p"), QStringLiteral("Вывести|№ приказа"), 65),
        column(QStringLiteral("d_d_p"), QStringLiteral("Вывести|Дата приказа"), 81),
    };
}

} // namespace zeb
