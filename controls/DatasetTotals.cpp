#include "controls/DatasetTotals.h"

namespace zeb {

DatasetTotals::DatasetTotals(QObject* parent) : QObject(parent) {}

void DatasetTotals::bind(Dataset* dataset, const QStringList& fieldNames)
{
    if (m_dataset)
        disconnect(m_dataset, nullptr, this, nullptr);
    m_dataset = dataset;
    m_fieldNames = fieldNames;
    m_totals = RowTotals(int(fieldNames.size()));
    if (dataset) {
        connect(dataset, &Dataset::layoutReset, this, [this] {
            recount();
            Q_EMIT changed();
        });
        connect(dataset, &Dataset::rowChanged, this, &DatasetTotals::rowChanged);
        connect(dataset, &Dataset::rowInserted, this, &DatasetTotals::rowInserted);
        connect(dataset, &Dataset::rowRemoved, this, &DatasetTotals::rowRemoved);
    }
    recount();
    Q_EMIT changed();
}

void DatasetTotals::recount()
{
    m_fieldIndexes.clear();
    for (const QString& name : std::as_const(m_fieldNames))
        m_fieldIndexes.push_back(m_dataset ? m_dataset->fieldIndex(name) : -1);
    const int rows = m_dataset ? m_dataset->recordCount() : 0;
    m_totals.reset(rows);
    for (int position = 0; position < rows; ++position)
        readRow(position);
}

void DatasetTotals::readRow(int position)
{
    for (size_t i = 0; i < m_fieldIndexes.size(); ++i) {
        if (m_fieldIndexes[i] < 0)
            continue;
        bool number = false;
        const double value = m_dataset->valueAt(position, m_fieldIndexes[i]).toDouble(&number);
        m_totals.setValue(position, int(i), number ? value : 0.0);
    }
}

bool DatasetTotals::inStep(int position, int added) const
{
    const int rows = m_totals.rowCount();
    return m_dataset && rows + added == m_dataset->recordCount() && position >= 0 &&
           position < rows + qMax(added, 0);
}

void DatasetTotals::rowChanged(int position)
{
    if (inStep(position, 0))
        readRow(position);
    else
        recount();
    Q_EMIT changed();
}

void DatasetTotals::rowInserted(int position)
{
    if (inStep(position, 1)) {
        m_totals.insertRow(position);
        readRow(position);
    } else {
        recount();
    }
    Q_EMIT changed();
}

void DatasetTotals::rowRemoved(int position)
{
    if (inStep(position, -1))
        m_totals.removeRow(position);
    else
        recount();
    Q_EMIT changed();
}

} // namespace zeb
