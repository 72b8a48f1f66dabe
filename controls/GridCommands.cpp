// The grid's keys and the commands behind them: moves, new lines, deleting, finding, the clipboard.

#include "controls/DBGridEhPrivate.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/DatasetModel.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "controls/FindTextDialog.h"
#include "controls/GridClipboard.h"
#include "controls/GridDelegate.h"
#include "platform/seam/Platform.h"
#include "controls/RecordDeletion.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>

namespace zeb {

namespace {

constexpr Qt::KeyboardModifiers modifierMask = Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier;

bool isCopy(Qt::KeyboardModifiers modifiers, int key)
{
    return modifiers == Qt::ControlModifier && (key == Qt::Key_C || key == Qt::Key_Insert);
}

bool isPaste(Qt::KeyboardModifiers modifiers, int key)
{
    return (modifiers == Qt::ControlModifier && key == Qt::Key_V) ||
           (modifiers == Qt::ShiftModifier && key == Qt::Key_Insert);
}

} // namespace

bool DBGridEh::Private::gridKey(QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & modifierMask;
    const int key = event->key();
    if (modifiers == Qt::ControlModifier && key == Qt::Key_Delete) {
        deleteRecords();
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_F) {
        find();
    } else if (isCopy(modifiers, key)) {
        copy();
    } else if (isPaste(modifiers, key)) {
        paste();
    } else if (modifiers == Qt::ControlModifier && key == Qt::Key_A) {
        QList<QByteArray> all;
        for (int row = 0; dataset && row < dataset->recordCount(); ++row)
            all.append(dataset->bookmarkAt(row));
        setSelection(all);
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_Insert) {
        if (dataset && !q->m_readOnly)
            dataset->insert();
    } else if (key == Qt::Key_Backtab || (key == Qt::Key_Tab && modifiers == Qt::ShiftModifier)) {
        moveColumn(-1);
    } else if (modifiers == Qt::NoModifier &&
               (key == Qt::Key_Tab || key == Qt::Key_Return || key == Qt::Key_Enter)) {
        moveColumn(1);
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_Escape) {
        if (dataset && dataset->state() != Dataset::State::Browse)
            dataset->cancel();
    } else if (modifiers == Qt::NoModifier && key == Qt::Key_Down) {
        return downKey();
    } else {
        return false;
    }
    event->accept();
    return true;
}

// Tab order: along the line, then on to the first cell of the next line.
void DBGridEh::Private::moveColumn(int step)
{
    const int count = int(q->m_columns.size());
    if (count == 0)
        return;
    const int target = q->selectedIndex() + step;
    if (!model || model->rowCount() == 0 || !q->currentIndex().isValid()) {
        enterColumn(qBound(0, target, count - 1));
        return;
    }
    const int row = q->currentIndex().row();
    QModelIndex next;
    if (target >= count)
        next = model->index(row + 1, 0);
    else if (target < 0)
        next = model->index(row - 1, count - 1);
    else
        next = model->index(row, target);
    if (next.isValid())
        q->setCurrentIndex(next);
}

// Down on the last line adds a line; on a new line that holds nothing it takes the line away again.
bool DBGridEh::Private::downKey()
{
    if (!dataset || !dataset->isActive() || q->m_readOnly)
        return false;
    if (dataset->state() == Dataset::State::Insert && !dataset->isModified()) {
        dataset->cancel();
        return true;
    }
    if (dataset->recNo() < dataset->recordCount() - 1)
        return false;
    dataset->append();
    return true;
}

bool DBGridEh::Private::keyDown(QKeyEvent* event)
{
    // A copy: the handler may replace itself.
    const auto handler = q->onKeyDown;
    if (!handler)
        return true;
    const QScopedValueRollback running(inKeyDown, true);
    try {
        handler(event);
        return true;
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return false;
    }
}

bool DBGridEh::Private::editorKeyDown(QWidget* editor, QKeyEvent* event)
{
    // The grid itself handed the key on to the editor it opened for it.
    if (keyHooked)
        return false;
    if (!keyDown(event)) {
        event->accept();
        return true;
    }
    if (q->state() == QAbstractItemView::EditingState && editor->isVisible())
        return false;
    // The handler closed the editor (the grid became read-only): the key is the grid's, and must not come
    // up to it a second time from the closed editor.
    {
        const QScopedValueRollback hooked(keyHooked, true);
        q->keyPressEvent(event);
    }
    event->accept();
    return true;
}

bool DBGridEh::Private::editorKey(QWidget* editor, QKeyEvent* event)
{
    const Qt::KeyboardModifiers modifiers = event->modifiers() & modifierMask;
    const int key = event->key();
    if (modifiers == Qt::NoModifier && key == Qt::Key_Escape) {
        escapeInEditor(editor);
        return true;
    }
    const bool plain = modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier;
    const bool gridLevel =
        (plain &&
         (key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Up || key == Qt::Key_Down)) ||
        (modifiers == Qt::NoModifier &&
         (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_PageUp || key == Qt::Key_PageDown ||
          key == Qt::Key_Insert)) ||
        (modifiers == Qt::ControlModifier && (key == Qt::Key_Delete || key == Qt::Key_F)) ||
        (isPaste(modifiers, key) && clipboardHasCells());
    if (!gridLevel)
        return false;
    {
        QScopedValueRollback hold(holdEditor, true);
        const QScopedValueRollback hooked(keyHooked, true);
        q->commitData(editor);
        q->closeEditor(editor, QAbstractItemDelegate::NoHint);
        q->keyPressEvent(event);
    }
    showEditorIfAlways();
    return true;
}

// While the editor stays open for good, Escape first takes back what was typed and then the line's edit.
void DBGridEh::Private::escapeInEditor(QWidget* editor)
{
    if (!q->m_alwaysShowEditor) {
        q->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        return;
    }
    if (GridDelegate::editorChanged(editor)) {
        delegate->revert(editor, q->currentIndex());
        return;
    }
    if (!dataset || dataset->state() == Dataset::State::Browse)
        return;
    {
        QScopedValueRollback hold(holdEditor, true);
        q->closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        dataset->cancel();
    }
    showEditorIfAlways();
}

void DBGridEh::Private::deleteRecords()
{
    if (!dataset || q->m_readOnly)
        return;
    recorddeletion::askAndDelete(q, *dataset, q->m_selectedRows);
    keepSurvivingSelection();
}

void DBGridEh::Private::find()
{
    if (!model || !dataset)
        return;
    FindTextDialog dialog(q);
    dialog.setText(findText);
    dialog.setAllColumns(findAllColumns);
    dialog.setMatchCase(findMatchCase);
    dialog.setWholeCell(findWholeCell);
    if (Platform::instance().runModal(dialog) != ModalResult::Ok)
        return;
    findText = dialog.text();
    findAllColumns = dialog.allColumns();
    findMatchCase = dialog.matchCase();
    findWholeCell = dialog.wholeCell();
    if (findText.isEmpty())
        return;
    const int first = findAllColumns ? 0 : q->selectedIndex();
    const int last = findAllColumns ? model->columnCount() - 1 : first;
    for (int row = dataset->recNo() + 1; row < model->rowCount(); ++row) {
        for (int col = first; col <= last; ++col) {
            const QModelIndex cell = model->index(row, col);
            if (dialog.matches(cell.data(Qt::DisplayRole).toString())) {
                q->setCurrentIndex(cell);
                return;
            }
        }
    }
    Platform::instance().messageBox(q, QStringLiteral("Текст не найден."), QStringLiteral("Find text"),
                                    MessageButtons::Ok, MessageIcon::Information);
}

void DBGridEh::Private::copy()
{
    if (!model)
        return;
    QList<QStringList> rows;
    if (selected.isEmpty()) {
        const QModelIndex current = q->currentIndex();
        if (!current.isValid())
            return;
        rows.append({current.data(Qt::DisplayRole).toString()});
    } else {
        for (int row = 0; row < model->rowCount(); ++row) {
            if (!isRowSelected(row))
                continue;
            QStringList cells;
            for (int col = 0; col < model->columnCount(); ++col)
                cells.append(model->index(row, col).data(Qt::DisplayRole).toString());
            rows.append(cells);
        }
    }
    QGuiApplication::clipboard()->setText(gridclipboard::toText(rows));
}

bool DBGridEh::Private::clipboardHasCells() const
{
    const QString text = QGuiApplication::clipboard()->text();
    return text.contains(QLatin1Char('\t')) || text.trimmed().contains(QLatin1Char('\n'));
}

// Each pasted cell goes through the same path as a typed one; the first refusal ends the paste.
void DBGridEh::Private::paste()
{
    const QModelIndex start = q->currentIndex();
    if (!model || !start.isValid() || q->m_readOnly)
        return;
    const QList<QStringList> rows = gridclipboard::fromText(QGuiApplication::clipboard()->text());
    for (int i = 0; i < rows.size(); ++i) {
        const int row = start.row() + i;
        if (row >= model->rowCount())
            return;
        for (int j = 0; j < rows[i].size(); ++j) {
            const QModelIndex cell = model->index(row, start.column() + j);
            if (!cell.isValid())
                break;
            if (!(cell.flags() & Qt::ItemIsEditable) || cell.data(Qt::EditRole).toString() == rows[i][j])
                continue;
            if (!commitCell(cell, CellEdit{CellEdit::Kind::Typed, rows[i][j], {}}))
                return;
        }
    }
}

} // namespace zeb
