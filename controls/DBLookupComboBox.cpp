#include "controls/DBLookupComboBox.h"

#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "data/dataset/KeyIndex.h"
#include "controls/LookupEntryDelegate.h"

#include <QAbstractItemView>
#include <QFocusEvent>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <memory>

namespace zeb {

namespace {

constexpr int KeyRole = Qt::UserRole;
static_assert(LookupEntryDelegate::DetailRole != KeyRole);

} // namespace

DBLookupComboBox::DBLookupComboBox(Style style, QWidget* parent)
    : QComboBox(parent), m_style(style), m_entries(new LookupEntryDelegate(this))
{
    setInsertPolicy(QComboBox::NoInsert);
    setItemDelegate(m_entries);
    if (m_style == Style::EditStyle) {
        setEditable(true);
        // The stock completer matches case-insensitively, and then the combo box rewrites the typed text
        // on leaving: a change nobody made. Typed text is matched against the entries below instead.
        lineEdit()->setCompleter(nullptr);
        connect(lineEdit(), &QLineEdit::textChanged, this, &DBLookupComboBox::takeTypedText);
    }
    connect(this, &QComboBox::activated, this, &DBLookupComboBox::takeEntry);
}

void DBLookupComboBox::setListSource(DataSource* source, const QString& keyField, const QString& listField)
{
    m_source = source;
    m_keyField = keyField;
    m_listField = listField;
    bindDataset(source ? source->dataSet() : nullptr);
    reloadItems();
}

void DBLookupComboBox::setDetailField(const QString& field)
{
    m_detailField = field;
    reloadItems();
}

void DBLookupComboBox::bindDataset(Dataset* dataset)
{
    if (m_bound == dataset)
        return;
    for (const QMetaObject::Connection& connection : std::as_const(m_connections))
        disconnect(connection);
    m_connections.clear();
    m_bound = dataset;
    if (!dataset)
        return;
    m_connections = {
        connect(dataset, &Dataset::layoutReset, this, &DBLookupComboBox::reloadItems),
        connect(dataset, &Dataset::rowChanged, this, &DBLookupComboBox::updateEntry),
        connect(dataset, &Dataset::rowInserted, this, &DBLookupComboBox::insertEntry),
        connect(dataset, &Dataset::rowRemoved, this, &DBLookupComboBox::removeEntry),
    };
}

bool DBLookupComboBox::columnsFound(int& keyColumn, int& listColumn) const
{
    if (!m_bound || !m_bound->isActive())
        return false;
    keyColumn = m_bound->fieldIndex(m_keyField);
    listColumn = m_bound->fieldIndex(m_listField);
    return keyColumn >= 0 && listColumn >= 0;
}

void DBLookupComboBox::reloadItems()
{
    {
        const QScopedValueRollback silent(m_silent, true);
        clear();
        int keyColumn = -1;
        int listColumn = -1;
        if (columnsFound(keyColumn, listColumn)) {
            QList<QStandardItem*> items;
            items.reserve(m_bound->recordCount());
            for (int position = 0; position < m_bound->recordCount(); ++position)
                items.append(entry(position, keyColumn, listColumn));
            // One insertion for the whole list instead of one per row.
            qobject_cast<QStandardItemModel*>(model())->invisibleRootItem()->appendRows(items);
        }
    }
    showValue();
}

void DBLookupComboBox::updateEntry(int position)
{
    int keyColumn = -1;
    int listColumn = -1;
    if (!columnsFound(keyColumn, listColumn) || count() != m_bound->recordCount()) {
        reloadItems();
        return;
    }
    {
        const QScopedValueRollback silent(m_silent, true);
        setEntry(position, keyColumn, listColumn);
    }
    showValue();
}

void DBLookupComboBox::insertEntry(int position)
{
    int keyColumn = -1;
    int listColumn = -1;
    if (!columnsFound(keyColumn, listColumn) || count() + 1 != m_bound->recordCount()) {
        reloadItems();
        return;
    }
    {
        const QScopedValueRollback silent(m_silent, true);
        qobject_cast<QStandardItemModel*>(model())->insertRow(position,
                                                              entry(position, keyColumn, listColumn));
    }
    showValue();
}

void DBLookupComboBox::removeEntry(int position)
{
    if (!m_bound || count() - 1 != m_bound->recordCount()) {
        reloadItems();
        return;
    }
    {
        const QScopedValueRollback silent(m_silent, true);
        removeItem(position);
    }
    showValue();
}

QStandardItem* DBLookupComboBox::entry(int position, int keyColumn, int listColumn) const
{
    auto* item = new QStandardItem;
    const int detailColumn = m_detailField.isEmpty() ? -1 : m_bound->fieldIndex(m_detailField);
    item->setText(m_bound->valueAt(position, listColumn).toString());
    item->setData(m_bound->valueAt(position, keyColumn), KeyRole);
    if (detailColumn >= 0) {
        const QString detail = m_bound->valueAt(position, detailColumn).toString();
        item->setData(detail, LookupEntryDelegate::DetailRole);
        item->setToolTip(detail);
    }
    return item;
}

void DBLookupComboBox::setEntry(int position, int keyColumn, int listColumn)
{
    const std::unique_ptr<QStandardItem> fresh(entry(position, keyColumn, listColumn));
    QStandardItem* item = qobject_cast<QStandardItemModel*>(model())->item(position);
    for (const int role :
         {int(Qt::DisplayRole), KeyRole, LookupEntryDelegate::DetailRole, int(Qt::ToolTipRole)})
        item->setData(fresh->data(role), role);
}

int DBLookupComboBox::indexOfKey(const QVariant& key) const
{
    if (key.isNull())
        return -1;
    for (int index = 0; index < count(); ++index) {
        if (KeyIndex::sameKey(itemData(index, KeyRole), key))
            return index;
    }
    return -1;
}

bool DBLookupComboBox::takeValue(const QVariant& key, const QString& text)
{
    const bool differs = !KeyIndex::sameKey(key, m_key) || text != m_text;
    m_key = key;
    m_text = text;
    return differs;
}

// Shows the held key's entry without firing anything. A key missing from the list shows no text; with no
// key, the edit style keeps what was typed.
void DBLookupComboBox::showValue()
{
    const QScopedValueRollback silent(m_silent, true);
    const int index = indexOfKey(m_key);
    if (index >= 0)
        m_text = itemText(index);
    else if (!m_key.isNull() || m_style == Style::Plain)
        m_text.clear();
    if (currentIndex() != index)
        setCurrentIndex(index);
    showDetail(index);
    if (m_style == Style::EditStyle && lineEdit()->text() != m_text)
        lineEdit()->setText(m_text);
}

void DBLookupComboBox::showDetail(int index)
{
    if (!m_detailField.isEmpty())
        setToolTip(index >= 0 ? itemData(index, Qt::ToolTipRole).toString() : QString());
}

void DBLookupComboBox::setKeyValue(const QVariant& key)
{
    const int index = indexOfKey(key);
    const bool differs = takeValue(key, index >= 0 ? itemText(index) : QString());
    showValue();
    if (differs && m_style == Style::EditStyle)
        Q_EMIT changed();
}

void DBLookupComboBox::clearValue()
{
    setKeyValue(QVariant());
}

QString DBLookupComboBox::text() const
{
    return m_text;
}

void DBLookupComboBox::takeEntry(int index)
{
    if (m_silent || index < 0)
        return;
    const bool differs = takeValue(itemData(index, KeyRole), itemText(index));
    showDetail(index);
    if (m_style == Style::Plain)
        notifyUser(&DBLookupComboBox::picked);
    else if (differs)
        notifyUser(&DBLookupComboBox::changed);
}

// Every text change the control did not make itself is the user's: typing, or the combo box showing a
// picked entry. The entry being shown wins over another one with the same text.
void DBLookupComboBox::takeTypedText(const QString& text)
{
    if (m_silent)
        return;
    int index = currentIndex();
    if (index < 0 || itemText(index) != text)
        index = findText(text, Qt::MatchFixedString);
    if (takeValue(index >= 0 ? itemData(index, KeyRole) : QVariant(), text))
        notifyUser(&DBLookupComboBox::changed);
}

void DBLookupComboBox::notifyUser(void (DBLookupComboBox::*signal)())
{
    try {
        Q_EMIT(this->*signal)();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void DBLookupComboBox::setDropDownBoxWidth(int width)
{
    m_dropDownWidth = width;
}

void DBLookupComboBox::setColor(const QColor& color)
{
    m_color = color;
    QPalette colours = palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        colours.setColor(group, QPalette::Base, color);
        colours.setColor(group, QPalette::Button, color);
    }
    setPalette(colours);
}

QColor DBLookupComboBox::color() const
{
    return m_color.isValid() ? m_color : palette().color(QPalette::Base);
}

// Focus coming back from the drop-down list or from another window is not entering the control.
void DBLookupComboBox::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    if (event->reason() != Qt::PopupFocusReason && event->reason() != Qt::ActiveWindowFocusReason)
        notifyUser(&DBLookupComboBox::entered);
}

void DBLookupComboBox::showPopup()
{
    QComboBox::showPopup();
    QWidget* popup = view()->window();
    int wanted = m_dropDownWidth;
    // Entries with their details beside them: as wide as the widest needs.
    if (!m_detailField.isEmpty()) {
        wanted = qMax(wanted, view()->sizeHintForColumn(modelColumn()) + 2 * view()->frameWidth() +
                                  view()->verticalScrollBar()->sizeHint().width() + popup->width() -
                                  view()->width());
    }
    if (popup == window() || popup->width() >= wanted)
        return;
    QRect area = popup->geometry();
    area.setWidth(wanted);
    if (const QScreen* screen = popup->screen()) {
        const QRect available = screen->availableGeometry();
        if (area.right() > available.right())
            area.moveRight(available.right());
        if (area.left() < available.left())
            area.moveLeft(available.left());
    }
    popup->setGeometry(area);
}

} // namespace zeb
