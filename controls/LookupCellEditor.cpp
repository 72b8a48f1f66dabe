#include "controls/LookupCellEditor.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"

#include <QAbstractItemView>

namespace zeb {

namespace {

QString keyText(const QVariant& key)
{
    return key.isNull() ? QString() : key.toString();
}

} // namespace

LookupCellEditor::LookupCellEditor(const Field& field, int rows, int listWidth, QWidget* parent)
    : QComboBox(parent)
{
    setEditable(false);
    setMaxVisibleItems(qMax(1, rows));
    if (listWidth > 0)
        view()->setMinimumWidth(listWidth);
    const FieldDef& def = field.definition();
    Dataset* lookup = def.lookupDataset;
    if (lookup && lookup->isActive()) {
        const int keyIndex = lookup->fieldIndex(def.lookupKeyField);
        const int resultIndex = lookup->fieldIndex(def.lookupResultField);
        if (keyIndex >= 0 && resultIndex >= 0) {
            for (int row = 0; row < lookup->recordCount(); ++row)
                addItem(lookup->valueAt(row, resultIndex).toString(), lookup->valueAt(row, keyIndex));
        }
    }
    connect(this, &QComboBox::activated, this, &LookupCellEditor::picked);
}

void LookupCellEditor::setKey(const QVariant& key)
{
    m_originalKey = key;
    int found = -1;
    if (!key.isNull()) {
        for (int i = 0; i < count() && found < 0; ++i) {
            if (keyText(itemData(i)) == keyText(key))
                found = i;
        }
    }
    setCurrentIndex(found);
}

bool LookupCellEditor::keyChanged() const
{
    return keyText(key()) != keyText(m_originalKey) || key().isNull() != m_originalKey.isNull();
}

} // namespace zeb
