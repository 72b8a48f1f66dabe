#pragma once

#include "data/dataset/Dataset.h"
#include "controls/RowTotals.h"

#include <QObject>
#include <QPointer>
#include <QStringList>

namespace zeb {

// The totals of number fields over the rows a dataset shows, the row being edited with its unsaved
// values, kept current from the dataset's row signals: a changed, added or removed row is read alone,
// and only a reset (open, close, sort) reads every row. NULL and values that are no number count as 0.
class DatasetTotals : public QObject
{
    Q_OBJECT

public:
    explicit DatasetTotals(QObject* parent = nullptr);

    // Fields the dataset does not have (yet) total 0; they are looked up again at every reset.
    void bind(Dataset* dataset, const QStringList& fieldNames);
    const QStringList& fieldNames() const { return m_fieldNames; }

    // The total of fieldNames()[index], "12,75"; empty while the dataset shows no rows.
    QString text(int index) const { return m_totals.text(index); }

Q_SIGNALS:
    void changed();

private:
    void recount();
    void readRow(int position);
    void rowChanged(int position);
    void rowInserted(int position);
    void rowRemoved(int position);
    // Whether the kept rows match the dataset's once `added` rows (-1: one removed) come at `position`.
    // Rows added or removed while the dataset's controls are disabled go untold; then they do not.
    bool inStep(int position, int added) const;

    QPointer<Dataset> m_dataset;
    QStringList m_fieldNames;
    std::vector<int> m_fieldIndexes;
    RowTotals m_totals;
};

} // namespace zeb
