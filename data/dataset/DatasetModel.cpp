#include "data/dataset/DatasetModel.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "data/dataset/ValueText.h"

namespace zeb {

DatasetModel::DatasetModel(Dataset* dataset, QObject* parent)
    : QAbstractTableModel(parent), m_dataset(dataset)
{
    connect(dataset, &Dataset::layoutReset, this, &DatasetModel::reset);
    connect(dataset, &Dataset::rowChanged, this,
            [this](int row) { Q_EMIT dataChanged(index(row, 0), index(row, columnCount() - 1)); });
    connect(dataset, &Dataset::rowInserted, this, [this](int row) {
        beginInsertRows({}, row, row);
        endInsertRows();
    });
    connect(dataset, &Dataset::rowRemoved, this, [this](int row) {
        beginRemoveRows({}, row, row);
        endRemoveRows();
    });
    reset();
}

void DatasetModel::setColumns(const QStringList& fieldNames)
{
    m_columnNames = fieldNames;
    reset();
}

void DatasetModel::reset()
{
    beginResetModel();
    m_columns.clear();
    if (m_columnNames.isEmpty()) {
        for (int i = 0; i < m_dataset->fieldCount(); ++i)
            m_columns.push_back(i);
    } else {
        for (const QString& name : m_columnNames)
            m_columns.push_back(m_dataset->fieldIndex(name));
    }
    m_lookupKeys.clear();
    for (const int field : m_columns) {
        const Field* f = field < 0 ? nullptr : m_dataset->field(field);
        m_lookupKeys.push_back(f && f->isLookup() ? m_dataset->fieldIndex(f->definition().keyField) : -1);
    }
    endResetModel();
}

int DatasetModel::fieldIndex(int column) const
{
    return column >= 0 && column < int(m_columns.size()) ? m_columns[size_t(column)] : -1;
}

int DatasetModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() || !m_dataset->isActive() ? 0 : m_dataset->recordCount();
}

int DatasetModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant DatasetModel::data(const QModelIndex& index, int role) const
{
    const int field = fieldIndex(index.column());
    if (field < 0 || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    const Field* f = m_dataset->field(field);
    const QVariant value = this->value(index.row(), index.column(), field);
    if (role == Qt::EditRole)
        return valuetext::toText(value, f->dataType());
    return valuetext::toDisplay(value, f->dataType(), f->displayFormat());
}

// A lookup cell without searching its key field by name, as the dataset would for every cell.
QVariant DatasetModel::value(int row, int column, int field) const
{
    const Field* f = m_dataset->field(field);
    if (!f->isLookup())
        return m_dataset->valueAt(row, field);
    const FieldDef& def = f->definition();
    const int key = m_lookupKeys[size_t(column)];
    if (key < 0 || !def.lookupDataset)
        return {};
    return def.lookupDataset->lookup(def.lookupKeyField, m_dataset->valueAt(row, key), def.lookupResultField);
}

bool DatasetModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    const int field = fieldIndex(index.column());
    if (field < 0 || role != Qt::EditRole)
        return false;
    try {
        m_dataset->moveTo(index.row());
        m_dataset->edit();
        m_dataset->field(field)->setAsString(value.toString());
        return true;
    } catch (const Abort&) {
        return false;
    } catch (const Error& error) {
        if (m_errorHandler)
            m_errorHandler(error);
        return false;
    }
}

Qt::ItemFlags DatasetModel::flags(const QModelIndex& index) const
{
    const int field = fieldIndex(index.column());
    if (field < 0)
        return Qt::NoItemFlags;
    Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_dataset->field(field)->isReadOnly())
        flags |= Qt::ItemIsEditable;
    return flags;
}

QVariant DatasetModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    const int field = fieldIndex(section);
    return field < 0 ? QVariant() : QVariant(m_dataset->field(field)->fieldName());
}

} // namespace zeb
