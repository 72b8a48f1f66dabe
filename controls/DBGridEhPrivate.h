#pragma once

#include "controls/DBGridEh.h"
#include "controls/GridCellHost.h"

#include <QHash>
#include <QMetaObject>
#include <QSet>

class QKeyEvent;

namespace zeb {

class GridDelegate;
class GridHeaderView;
class GridRowIndicator;

struct DBGridEh::Private : GridCellHost
{
    explicit Private(DBGridEh* grid) : q(grid) {}

    // GridCellHost
    const GridColumn* gridColumn(int column) const override;
    Field* gridField(int column) const override;
    bool isRowSelected(int row) const override;
    bool isCurrentCell(const QModelIndex& index) const override;
    bool commitCell(const QModelIndex& index, const CellEdit& edit) override;
    bool editorKeyDown(QWidget* editor, QKeyEvent* event) override;
    bool editorKey(QWidget* editor, QKeyEvent* event) override;
    void filterTypedChar(QChar& ch) override;

    // Binding (DBGridEh.cpp)
    void attach(Dataset* dataset);
    void applyColumns();
    void fitColumns();
    int minimumWidth(int column) const;
    void updateRowHeight();
    void syncCurrent();
    void afterReset();
    bool hasFocusInside() const;
    void focusChanged(QWidget* now);
    void showEditorIfAlways();
    void enterColumn(int column);
    void write(Field& field, const CellEdit& edit, const ColumnUpdateData& data);

    // Keys and commands (GridCommands.cpp)
    bool keyDown(QKeyEvent* event);
    bool gridKey(QKeyEvent* event);
    void moveColumn(int step);
    bool downKey();
    void escapeInEditor(QWidget* editor);
    void deleteRecords();
    void find();
    void copy();
    void paste();
    bool clipboardHasCells() const;

    // Selection by bookmark (GridSelection.cpp)
    void afterUserMove(const QModelIndex& before, Qt::KeyboardModifiers modifiers);
    void toggleRow(int row);
    void extendTo(int row);
    void setSelection(const QList<QByteArray>& bookmarks);
    void keepSurvivingSelection();
    QString rowKey(int position) const;

    DBGridEh* q;
    Dataset* dataset = nullptr;
    DatasetModel* model = nullptr;
    GridHeaderView* header = nullptr;
    GridRowIndicator* indicator = nullptr;
    GridDelegate* delegate = nullptr;
    QMetaObject::Connection focusConnection;

    int column = 0;
    bool syncing = false;
    bool inColEnter = false;
    bool charFiltered = false;
    bool holdEditor = false;
    bool focusInside = false;
    // The window's key handler has seen the key being handled now.
    bool keyHooked = false;
    bool inKeyDown = false;
    // The key handler made the grid writable again: the editor reopens once the key is handled.
    bool reopenAfterKey = false;
    // A key passing the viewport on its way up from the cell editor, which offered it to the handler.
    const QEvent* keyFromEditor = nullptr;
    QModelIndex pressed;

    QSet<QByteArray> selected;
    // The key of each selected line, to tell a reordering of the same lines from new lines.
    QHash<QByteArray, QString> selectedKeys;
    int anchorRow = -1;

    QString findText;
    bool findAllColumns = true;
    bool findMatchCase = false;
    bool findWholeCell = false;
};

} // namespace zeb
