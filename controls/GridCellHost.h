#pragma once

#include <QString>
#include <QVariant>

class QKeyEvent;
class QModelIndex;
class QWidget;

namespace zeb {

class Field;
struct GridColumn;

// An edit of one cell as its editor hands it over.
struct CellEdit
{
    enum class Kind
    {
        Typed,
        LookupPick,
        CalendarPick,
    };

    Kind kind = Kind::Typed;
    QString text;
    // The chosen key of a lookup list or the picked date; unused for typed text.
    QVariant value;
};

// What the grid's delegate needs from the grid that owns it.
class GridCellHost
{
public:
    virtual ~GridCellHost() = default;

    virtual const GridColumn* gridColumn(int column) const = 0;
    virtual Field* gridField(int column) const = 0;
    virtual bool isRowSelected(int row) const = 0;
    virtual bool isCurrentCell(const QModelIndex& index) const = 0;
    // Writes the edit through the column's update notification; false when it was refused.
    virtual bool commitCell(const QModelIndex& index, const CellEdit& edit) = 0;
    // A key pressed in an open editor, before anything handles it; true when it was used up on the way.
    virtual bool editorKeyDown(QWidget* editor, QKeyEvent* event) = 0;
    // A key pressed in an open editor that the grid handles itself (moves, Insert, Escape...); true when
    // the grid took it.
    virtual bool editorKey(QWidget* editor, QKeyEvent* event) = 0;
    // A typed character, offered to the grid's key handler; may replace it.
    virtual void filterTypedChar(QChar& ch) = 0;
};

} // namespace zeb
