#pragma once

#include "controls/GridColumn.h"

#include <QByteArray>
#include <QList>
#include <QTableView>
#include <functional>
#include <memory>

class QKeyEvent;

namespace zeb {

class DataSource;
class Dataset;
class DatasetModel;

// A grid bound to a dataset: two-level titles, a row indicator, column widths fitted to the grid as
// proportions, lookup cells with a drop-down list, date cells with a calendar, a per-column update
// notification, rows selected by bookmark, a find dialog, the clipboard and the keys of a data grid
// (Insert, Down on the last line, Escape, Ctrl+Delete). Only the visible rows are asked for data.
// Errors of the dataset are shown through the platform's error display; Abort passes silently.
class DBGridEh : public QTableView
{
    Q_OBJECT

public:
    explicit DBGridEh(QWidget* parent = nullptr);
    ~DBGridEh() override;

    void setDataSource(DataSource* source);
    DataSource* dataSource() const { return m_source; }
    Dataset* dataset() const;

    void setColumns(const QList<GridColumn>& columns);
    const QList<GridColumn>& columns() const { return m_columns; }
    GridColumn& column(int index) { return m_columns[index]; }

    // The current column.
    int selectedIndex() const;
    void setSelectedIndex(int column);

    // Rows the user selected (Ctrl+click, Shift+click, Shift+Up/Down, Ctrl+A), by bookmark, in the order
    // they were selected. Cleared when the current cell moves without a selecting modifier and when the
    // dataset's rows are replaced.
    const QList<QByteArray>& selectedRows() const { return m_selectedRows; }
    void selectRows(const QList<QByteArray>& bookmarks);
    void clearSelectedRows();

    // While on, the current cell's editor is open whenever the grid has the focus.
    void setAlwaysShowEditor(bool on);
    bool alwaysShowEditor() const { return m_alwaysShowEditor; }

    // A read-only grid opens no cell editor and writes nothing: Insert, Down on the last line, paste and
    // Ctrl+Delete do nothing. Its cells are grey.
    void setReadOnly(bool on);
    bool isReadOnly() const { return m_readOnly; }
    using QTableView::edit;

    // Writes what the open cell editor holds through the column's update notification, as leaving the cell
    // would; the editor stays open. False when the grid refused it (the error has been shown).
    bool commitEditor();

    // Opens the find dialog (Ctrl+F); searching moves the current row to the next cell holding the text.
    void showFindDialog();

    // Event handlers of the window that owns the grid.
    std::function<void()> onEnter;          // the focus came into the grid (or its editor) from outside
    std::function<void()> onExit;           // the focus left the grid and its editor
    std::function<void(QChar&)> onKeyPress; // a typed character, in the grid or its editor; may replace it
    std::function<void()> onColEnter;       // the current column changed
    std::function<void(int column)> onCellClick;
    // Every key press in the grid or its editor (modifier keys too), once, before the grid handles it; the
    // handler may change what the grid does with it (setReadOnly). An error it raises is shown and the key
    // dropped.
    std::function<void(QKeyEvent*)> onKeyDown;

private:
    struct Private;

    void setCellColour(const QColor& colour);
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint) override;
    bool edit(const QModelIndex& index, EditTrigger trigger, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

    std::unique_ptr<Private> d;
    DataSource* m_source = nullptr;
    QList<GridColumn> m_columns;
    QList<QByteArray> m_selectedRows;
    bool m_alwaysShowEditor = false;
    bool m_readOnly = false;
};

} // namespace zeb
