#include "controls/DBLookupListBox.h"

#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/DatasetModel.h"
#include "platform/seam/ErrorDisplayApplication.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QToolTip>

namespace zeb {

DBLookupListBox::DBLookupListBox(QWidget* parent) : QListView(parent)
{
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(true);
}

void DBLookupListBox::setListSource(DataSource* source)
{
    m_source = source;
    bind(source ? source->dataSet() : nullptr);
}

void DBLookupListBox::setKeyField(const QString& name)
{
    m_keyField = name;
    if (currentIndex().isValid())
        takeRow(currentIndex().row());
}

void DBLookupListBox::setListField(const QString& name)
{
    m_listField = name;
    applyListField();
    followDataset();
}

void DBLookupListBox::bind(Dataset* dataset)
{
    if (m_bound)
        disconnect(m_bound, nullptr, this, nullptr);
    QItemSelectionModel* oldSelection = selectionModel();
    setModel(nullptr);
    delete oldSelection;
    delete m_model;
    m_model = nullptr;
    m_bound = dataset;
    if (!dataset)
        return;

    // While the dataset itself adds, removes or replaces rows, the view's moves must not move it: these
    // connections come before the model's own.
    const auto hold = [this] { m_syncing = true; };
    connect(dataset, &Dataset::rowInserted, this, hold);
    connect(dataset, &Dataset::rowRemoved, this, hold);
    connect(dataset, &Dataset::layoutReset, this, hold);
    m_model = new DatasetModel(dataset, this);
    applyListField();
    const auto release = [this] { m_syncing = false; };
    connect(dataset, &Dataset::rowInserted, this, release);
    connect(dataset, &Dataset::rowRemoved, this, release);
    connect(dataset, &Dataset::layoutReset, this, [this] {
        m_syncing = false;
        followDataset();
    });
    connect(dataset, &Dataset::currentRowChanged, this, &DBLookupListBox::followDataset);
    connect(dataset, &Dataset::rowChanged, this, [this](int row) {
        if (currentIndex().row() == row)
            takeRow(row);
    });
    setModel(m_model);

    if (m_key.isNull() && dataset->isActive() && !dataset->isEmpty()) {
        try {
            dataset->first();
        } catch (const std::exception& error) {
            showUnhandledError(error);
        }
    }
    followDataset();
}

void DBLookupListBox::applyListField()
{
    if (!m_model)
        return;
    const QScopedValueRollback hold(m_syncing, true);
    m_model->setColumns(m_listField.isEmpty() ? QStringList() : QStringList{m_listField});
}

// Puts the list's current line on the dataset's current row.
void DBLookupListBox::followDataset()
{
    if (!m_model || !m_bound)
        return;
    const int row = m_bound->isActive() ? m_bound->recNo() : -1;
    const QModelIndex target = row >= 0 && row < m_model->rowCount() ? m_model->index(row, 0) : QModelIndex();
    if (target != currentIndex()) {
        const QScopedValueRollback hold(m_syncing, true);
        selectionModel()->setCurrentIndex(target, QItemSelectionModel::ClearAndSelect);
    }
    if (!target.isValid())
        return;
    scrollTo(target);
    takeRow(row);
}

void DBLookupListBox::takeRow(int row)
{
    const int keyIndex = m_keyField.isEmpty() ? -1 : m_bound->fieldIndex(m_keyField);
    m_key = keyIndex < 0 ? QVariant() : m_bound->valueAt(row, keyIndex);
    m_selectedItem = m_model->index(row, 0).data().toString();
}

void DBLookupListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QListView::currentChanged(current, previous);
    if (m_syncing || !current.isValid() || !m_bound)
        return;
    try {
        if (current.row() != m_bound->recNo())
            m_bound->moveTo(current.row());
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    // Also back onto the dataset's row when the move was refused.
    followDataset();
}

void DBLookupListBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex clicked = indexAt(event->position().toPoint());
    QListView::mouseDoubleClickEvent(event);
    if (!clicked.isValid() || event->button() != Qt::LeftButton || !m_bound)
        return;
    if (currentIndex() != clicked)
        setCurrentIndex(clicked);
    // A refused move leaves another row current: the handler would act on the wrong one.
    if (m_bound->recNo() != clicked.row() || !onDblClick)
        return;
    const auto handler = onDblClick;
    try {
        handler();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

bool DBLookupListBox::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip)
        return QListView::viewportEvent(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    const QModelIndex index = indexAt(help->pos());
    if (index.isValid())
        QToolTip::showText(help->globalPos(), index.data().toString(), viewport(), visualRect(index));
    else
        QToolTip::hideText();
    return true;
}

} // namespace zeb
