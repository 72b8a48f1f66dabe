#pragma once

#include <QListView>
#include <QPointer>
#include <QVariant>
#include <functional>

namespace zeb {

class DataSource;
class Dataset;
class DatasetModel;

// A list of a dataset's rows, one line per row showing its list field in the dataset's order. The list's
// current line is the dataset's current row both ways: choosing a line (mouse or keys) moves the dataset,
// moving the dataset moves the list. Each line made current gives the key and the text of its row. Lines
// are not edited here. A line's tool tip shows its text whole.
class DBLookupListBox : public QListView
{
    Q_OBJECT

public:
    explicit DBLookupListBox(QWidget* parent = nullptr);

    // Binding without a key yet puts an open dataset on its first row.
    void setListSource(DataSource* source);
    DataSource* listSource() const { return m_source; }
    // Fields named case-insensitively; may be set before or after the source.
    void setKeyField(const QString& name);
    void setListField(const QString& name);

    // The key and the shown text of the row last made current; null and empty before any.
    QVariant keyValue() const { return m_key; }
    QString selectedItem() const { return m_selectedItem; }

    // A double-click on a line, which is the current one by then.
    std::function<void()> onDblClick;

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    void bind(Dataset* dataset);
    void applyListField();
    void followDataset();
    void takeRow(int row);

    DataSource* m_source = nullptr;
    QPointer<Dataset> m_bound;
    DatasetModel* m_model = nullptr;
    QString m_keyField;
    QString m_listField;
    QVariant m_key;
    QString m_selectedItem;
    // Set while the list itself moves its current line, or while the dataset changes its rows.
    bool m_syncing = false;
};

} // namespace zeb
