#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QPointer>
#include <QVariant>

class QStandardItem;

namespace zeb {

class DataSource;
class Dataset;
class LookupEntryDelegate;

// A combo box that chooses a row of a list dataset: it holds the row's key (null when nothing is chosen)
// and shows the row's list field. The plain style is a drop-down list whose pick event fires only on a
// user's choice; the edit style also takes typed text and fires its change event on every change of key
// or text, also those made by code. Reloading the list re-reads the items without firing either event.
class DBLookupComboBox : public QComboBox
{
    Q_OBJECT

public:
    enum class Style
    {
        Plain,
        EditStyle,
    };

    explicit DBLookupComboBox(Style style, QWidget* parent = nullptr);

    Style style() const { return m_style; }

    // The list: data source, key field and list field, named case-insensitively; can be re-pointed.
    void setListSource(DataSource* source, const QString& keyField, const QString& listField);
    DataSource* listSource() const { return m_source; }
    const QString& keyField() const { return m_keyField; }
    const QString& listField() const { return m_listField; }
    // A second field shown beside the list field in the drop-down list, and as the tool tip of its entry
    // and of the box (a faculty's full name beside its abbreviation). None when empty.
    void setDetailField(const QString& field);
    const QString& detailField() const { return m_detailField; }

    QVariant keyValue() const { return m_key; }
    // By code: the plain style fires nothing, the edit style fires changed() when key or text changed.
    void setKeyValue(const QVariant& key);
    // Empties key and text.
    void clearValue();
    // The text shown: the chosen row's list field, or what was typed in the edit style.
    QString text() const;

    void setDropDownBoxWidth(int width);
    void setColor(const QColor& color);
    QColor color() const;

Q_SIGNALS:
    void picked();
    void changed();
    void entered();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void showPopup() override;

private:
    void bindDataset(Dataset* dataset);
    void reloadItems();
    void updateEntry(int position);
    void insertEntry(int position);
    void removeEntry(int position);
    bool columnsFound(int& keyColumn, int& listColumn) const;
    QStandardItem* entry(int position, int keyColumn, int listColumn) const;
    void setEntry(int position, int keyColumn, int listColumn);
    int indexOfKey(const QVariant& key) const;
    bool takeValue(const QVariant& key, const QString& text);
    void showValue();
    // The chosen entry's detail as the box's tool tip.
    void showDetail(int index);
    void takeEntry(int index);
    void takeTypedText(const QString& text);
    void notifyUser(void (DBLookupComboBox::*signal)());

    Style m_style;
    DataSource* m_source = nullptr;
    QPointer<Dataset> m_bound;
    QList<QMetaObject::Connection> m_connections;
    QString m_keyField;
    QString m_listField;
    QString m_detailField;
    QVariant m_key;
    QString m_text;
    // Set while the control itself rewrites its items or text, so that no user event is taken from that.
    bool m_silent = false;
    QColor m_color;
    int m_dropDownWidth = 0;
    LookupEntryDelegate* m_entries;
};

} // namespace zeb
