#pragma once

#include "controls/GridCellPainter.h"

#include <QPointer>
#include <QStyledItemDelegate>

namespace zeb {

class GridCellHost;
struct GridColumn;

// Draws the grid's cells (alignment, ellipsis, selected rows, drop-down buttons, grid lines) and edits
// them: a line edit for plain cells, a drop-down list for lookup cells, a date editor with a calendar for
// dates. An edit is written through the grid's update notification, never through the model.
class GridDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    GridDelegate(GridCellHost& host, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override;

    // Writes the editor's edit like setModelData; false when the grid refused it.
    bool write(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const;

    // The cell editor open now, if any.
    QWidget* openEditor() const { return m_openEditor; }
    // Whether the editor holds something other than what the cell showed when it opened.
    static bool editorChanged(const QWidget* editor);
    // Puts the cell's text back into the editor.
    void revert(QWidget* editor, const QModelIndex& index) const { setEditorData(editor, index); }

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    bool paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                   const QRect& cell) const;
    void paintFocus(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                    const QRect& cell) const;
    void paintStyled(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                     const QRect& cell) const;
    QWidget* newEditor(QWidget* parent, const QModelIndex& index) const;
    bool showsDropDownButton(const QModelIndex& index) const;
    bool typedKey(QWidget* editor, QKeyEvent* event);

    GridCellHost& m_host;
    bool m_resending = false;
    mutable QPointer<QWidget> m_openEditor;
    mutable QPointer<QWidget> m_writing;
    mutable GridCellPainter m_cells;
};

} // namespace zeb
