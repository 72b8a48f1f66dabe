#pragma once

#include <QComboBox>
#include <QVariant>

namespace zeb {

class Field;

// The drop-down list of a lookup cell: the lookup dataset's shown values with their keys.
class LookupCellEditor : public QComboBox
{
    Q_OBJECT

public:
    LookupCellEditor(const Field& field, int rows, int listWidth, QWidget* parent);

    // Selects the entry of `key` and remembers it as the cell's value before the edit.
    void setKey(const QVariant& key);
    QVariant key() const { return currentData(); }
    bool keyChanged() const;

Q_SIGNALS:
    // The user chose an entry from the list.
    void picked();

private:
    QVariant m_originalKey;
};

} // namespace zeb
