#pragma once

#include <QString>
#include <QVariant>
#include <functional>

namespace zeb {

// What a column's update handler receives when a cell edit is committed, before the field is written.
// The handler may change Text or Value; Handled stops the grid from writing anything.
struct ColumnUpdateData
{
    // The edited text.
    QString Text;
    // What is written when UseText is false: the chosen key of a lookup list, the date picked from the
    // calendar.
    QVariant Value;
    // True when the grid writes Text through the field's text conversion (a value typed into the cell).
    bool UseText = true;
    bool Handled = false;
};

// One column of a bound grid.
struct GridColumn
{
    QString fieldName;
    // "Group|Title" draws two title levels; columns side by side with the same group share its cell.
    QString title;
    // Width before fitting: the columns share the grid's width in these proportions.
    int width = 64;
    // A text the column always shows whole (a date, a short name): fitting never makes the column narrower
    // than that, and the grid scrolls sideways instead.
    QString minimumText;
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
    // A text that does not fit ends with "…"; otherwise it is cut.
    bool ellipsis = true;
    // Lookup columns: the drop-down button in every row, not only in the current cell.
    bool alwaysShowDropDownButton = false;
    // Lookup columns: rows shown by the drop-down list, and its width (0: the column's).
    int dropDownRows = 7;
    int dropDownWidth = 0;
    // Called before the field is written; the dataset is already in edit (or insert) state.
    std::function<void(ColumnUpdateData&)> onUpdateData;
};

} // namespace zeb
