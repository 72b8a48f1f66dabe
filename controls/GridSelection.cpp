// Rows the user selected, kept by bookmark so that they stay the same lines when the rows are reordered.

#include "controls/DBGridEhPrivate.h"
#include "data/dataset/Dataset.h"

namespace zeb {

bool DBGridEh::Private::isRowSelected(int row) const
{
    return !selected.isEmpty() && dataset && selected.contains(dataset->bookmarkAt(row));
}

QString DBGridEh::Private::rowKey(int position) const
{
    const int keyIndex = dataset->fieldIndex(dataset->keyField());
    return keyIndex < 0 ? QString() : dataset->valueAt(position, keyIndex).toString();
}

void DBGridEh::Private::setSelection(const QList<QByteArray>& bookmarks)
{
    q->m_selectedRows.clear();
    selected.clear();
    selectedKeys.clear();
    for (const QByteArray& bookmark : bookmarks) {
        const int position = dataset ? dataset->positionOf(bookmark) : -1;
        if (position < 0 || selected.contains(bookmark))
            continue;
        q->m_selectedRows.append(bookmark);
        selected.insert(bookmark);
        selectedKeys.insert(bookmark, rowKey(position));
    }
    q->viewport()->update();
}

void DBGridEh::Private::toggleRow(int row)
{
    QList<QByteArray> rows = q->m_selectedRows;
    const QByteArray bookmark = dataset->bookmarkAt(row);
    if (!rows.removeOne(bookmark))
        rows.append(bookmark);
    setSelection(rows);
    anchorRow = row;
}

void DBGridEh::Private::extendTo(int row)
{
    const int from = anchorRow >= 0 && anchorRow < dataset->recordCount() ? anchorRow : row;
    QList<QByteArray> rows;
    const int step = row >= from ? 1 : -1;
    for (int position = from;; position += step) {
        rows.append(dataset->bookmarkAt(position));
        if (position == row)
            break;
    }
    setSelection(rows);
}

void DBGridEh::Private::afterUserMove(const QModelIndex& before, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex now = q->currentIndex();
    if (!dataset || now == before || !now.isValid())
        return;
    if (modifiers & Qt::ShiftModifier && now.row() != before.row()) {
        if (anchorRow < 0)
            anchorRow = before.isValid() ? before.row() : now.row();
        extendTo(now.row());
        return;
    }
    if (!q->m_selectedRows.isEmpty())
        setSelection({});
    anchorRow = now.row();
}

// After the rows were replaced, only bookmarks that still name the same lines stay selected.
void DBGridEh::Private::keepSurvivingSelection()
{
    anchorRow = -1;
    if (q->m_selectedRows.isEmpty() || !dataset)
        return;
    if (dataset->fieldIndex(dataset->keyField()) < 0) {
        setSelection({});
        return;
    }
    QList<QByteArray> kept;
    for (const QByteArray& bookmark : q->m_selectedRows) {
        const int position = dataset->positionOf(bookmark);
        if (position >= 0 && rowKey(position) == selectedKeys.value(bookmark))
            kept.append(bookmark);
    }
    setSelection(kept);
}

} // namespace zeb
