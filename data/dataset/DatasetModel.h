#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

namespace zeb {

class Dataset;
class Error;

// A table model over a dataset for bound views. Edits go through the dataset's edit and field setters,
// so every rule hooked to the dataset applies; a refusal goes to the error handler and the view keeps
// the dataset's value.
class DatasetModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    explicit DatasetModel(Dataset* dataset, QObject* parent = nullptr);

    Dataset* dataset() const { return m_dataset; }
    // Field names shown as columns, in order; all fields when empty.
    void setColumns(const QStringList& fieldNames);
    void setErrorHandler(std::function<void(const Error&)> handler) { m_errorHandler = std::move(handler); }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    int fieldIndex(int column) const;

private:
    void reset();
    QVariant value(int row, int column, int field) const;

    Dataset* m_dataset;
    QStringList m_columnNames;
    std::vector<int> m_columns;
    // Per column, the field holding a lookup column's key; -1 for other columns.
    std::vector<int> m_lookupKeys;
    std::function<void(const Error&)> m_errorHandler;
};

} // namespace zeb
