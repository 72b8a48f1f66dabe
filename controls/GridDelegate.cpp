#include "controls/GridDelegate.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/DatasetModel.h"
#include "controls/DateCellEditor.h"
#include "data/dataset/Field.h"
#include "controls/GridCellHost.h"
#include "controls/GridColumn.h"
#include "controls/LookupCellEditor.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFocusRect>

namespace zeb {

namespace {

const char* const cellTextProperty = "zebCellText";

bool isDateField(const Field& field)
{
    return field.dataType() == FieldType::Date || field.dataType() == FieldType::DateTime;
}

int dropDownButtonWidth(const QRect& cell)
{
    return qMin(16, cell.height());
}

} // namespace

GridDelegate::GridDelegate(GridCellHost& host, QObject* parent) : QStyledItemDelegate(parent), m_host(host) {}

void GridDelegate::initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (const GridColumn* column = m_host.gridColumn(index.column())) {
        option->displayAlignment = column->alignment;
        option->textElideMode = column->ellipsis ? Qt::ElideRight : Qt::ElideNone;
    }
    option->features &= ~QStyleOptionViewItem::WrapText;
    option->state &= ~QStyle::State_Selected;
    if (m_host.isRowSelected(index.row())) {
        option->backgroundBrush = option->palette.brush(QPalette::Highlight);
        option->palette.setBrush(QPalette::Text, option->palette.brush(QPalette::HighlightedText));
    }
}

bool GridDelegate::showsDropDownButton(const QModelIndex& index) const
{
    const Field* field = m_host.gridField(index.column());
    const GridColumn* column = m_host.gridColumn(index.column());
    return field && column && field->isLookup() &&
           (column->alwaysShowDropDownButton || m_host.isCurrentCell(index));
}

void GridDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                         const QModelIndex& index) const
{
    const bool button = showsDropDownButton(index);
    QRect cell = option.rect;
    if (button)
        cell.setRight(option.rect.right() - dropDownButtonWidth(option.rect));
    if (!paintCell(painter, option, index, cell))
        paintStyled(painter, option, index, cell);
    else if (option.state & QStyle::State_HasFocus)
        paintFocus(painter, option, index, cell);
    if (button)
        m_cells.paintDropDownButton(
            painter, option,
            QRect(cell.right() + 1, cell.top(), option.rect.right() - cell.right(), option.rect.height()));
    m_cells.paintGridLines(painter, option);
}

// The cell as the style draws it (a selected row's highlight, the text elided in the column's alignment),
// without building the style's item option for every cell.
bool GridDelegate::paintCell(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                             const QRect& cell) const
{
    const bool selected = m_host.isRowSelected(index.row());
    if (selected)
        painter->fillRect(cell, option.palette.brush(QPalette::Highlight));
    const QString text = index.data(Qt::DisplayRole).toString();
    if (text.isEmpty())
        return true;
    QPalette::ColorGroup group = QPalette::Disabled;
    if (option.state & QStyle::State_Enabled)
        group = option.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive;
    painter->setPen(selected ? option.palette.color(QPalette::HighlightedText)
                             : option.palette.color(group, QPalette::Text));
    const GridColumn* column = m_host.gridColumn(index.column());
    const Qt::Alignment alignment = column ? column->alignment : option.displayAlignment;
    Qt::TextElideMode elide = option.textElideMode;
    if (column)
        elide = column->ellipsis ? Qt::ElideRight : Qt::ElideNone;
    return m_cells.paintText(painter, option, cell, text, alignment, elide);
}

// The style's focus frame, as it draws it over an item.
void GridDelegate::paintFocus(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index,
                              const QRect& cell) const
{
    QStyleOptionViewItem item = option;
    item.rect = cell;
    initStyleOption(&item, index);
    QStyle* style = item.widget ? item.widget->style() : QApplication::style();
    QStyleOptionFocusRect focus;
    focus.QStyleOption::operator=(item);
    focus.rect = style->subElementRect(QStyle::SE_ItemViewItemFocusRect, &item, item.widget);
    focus.state |= QStyle::State_KeyboardFocusChange | QStyle::State_Item;
    const bool enabled = item.state & QStyle::State_Enabled;
    focus.backgroundColor =
        item.palette.color(enabled ? QPalette::Normal : QPalette::Disabled, QPalette::Window);
    painter->save();
    painter->setClipRect(cell, Qt::IntersectClip);
    style->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, painter, item.widget);
    painter->restore();
}

void GridDelegate::paintStyled(QPainter* painter, const QStyleOptionViewItem& option,
                               const QModelIndex& index, const QRect& cell) const
{
    QStyleOptionViewItem styled = option;
    styled.rect = cell;
    QStyledItemDelegate::paint(painter, styled, index);
}

QWidget* GridDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                    const QModelIndex& index) const
{
    m_openEditor = newEditor(parent, index);
    return m_openEditor;
}

QWidget* GridDelegate::newEditor(QWidget* parent, const QModelIndex& index) const
{
    auto* self = const_cast<GridDelegate*>(this);
    const Field* field = m_host.gridField(index.column());
    const GridColumn* column = m_host.gridColumn(index.column());
    if (!field || !column)
        return nullptr;
    if (field->isLookup()) {
        auto* editor = new LookupCellEditor(*field, column->dropDownRows, column->dropDownWidth, parent);
        connect(editor, &LookupCellEditor::picked, self, [self, editor] { Q_EMIT self->commitData(editor); });
        return editor;
    }
    if (isDateField(*field)) {
        auto* editor = new DateCellEditor(parent);
        editor->setFrame(false);
        connect(editor, &DateCellEditor::picked, self, [self, editor] { Q_EMIT self->commitData(editor); });
        return editor;
    }
    auto* editor = new QLineEdit(parent);
    editor->setFrame(false);
    if (field->dataType() == FieldType::Text && field->size() > 0)
        editor->setMaxLength(field->size());
    return editor;
}

void GridDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    // While its edit is being written (and a column's question is up) the editor keeps what was typed.
    if (editor == m_writing)
        return;
    const QString text = index.data(Qt::EditRole).toString();
    if (auto* lookup = qobject_cast<LookupCellEditor*>(editor)) {
        const auto* model = qobject_cast<const DatasetModel*>(index.model());
        const Field* field = m_host.gridField(index.column());
        if (!model || !field)
            return;
        const int keyIndex = model->dataset()->fieldIndex(field->definition().keyField);
        lookup->setKey(keyIndex < 0 ? QVariant() : model->dataset()->valueAt(index.row(), keyIndex));
    } else if (auto* date = qobject_cast<DateCellEditor*>(editor)) {
        date->setCellText(text);
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        line->setText(text);
        line->setProperty(cellTextProperty, text);
    }
}

bool GridDelegate::editorChanged(const QWidget* editor)
{
    if (const auto* lookup = qobject_cast<const LookupCellEditor*>(editor))
        return lookup->keyChanged();
    if (const auto* date = qobject_cast<const DateCellEditor*>(editor))
        return date->textChanged();
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text() != line->property(cellTextProperty).toString();
    return false;
}

void GridDelegate::setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    write(editor, model, index);
}

bool GridDelegate::write(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const
{
    if (!editorChanged(editor))
        return true;
    CellEdit edit;
    if (auto* lookup = qobject_cast<LookupCellEditor*>(editor)) {
        edit = {CellEdit::Kind::LookupPick, lookup->currentText(), lookup->key()};
    } else if (auto* date = qobject_cast<DateCellEditor*>(editor)) {
        const QDate picked = date->pickedDate();
        const Field* field = m_host.gridField(index.column());
        if (picked.isValid() && field) {
            const QVariant value =
                field->dataType() == FieldType::Date ? QVariant(picked) : QVariant(picked.startOfDay());
            edit = {CellEdit::Kind::CalendarPick, date->text(), value};
        } else {
            edit = {CellEdit::Kind::Typed, date->text(), {}};
        }
    } else if (auto* line = qobject_cast<QLineEdit*>(editor)) {
        edit = {CellEdit::Kind::Typed, line->text(), {}};
    }
    const int row = index.row();
    const int column = index.column();
    const QPointer<QWidget> alive(editor);
    bool written = false;
    {
        const QScopedValueRollback<QPointer<QWidget>> writing(m_writing, editor);
        written = m_host.commitCell(index, edit);
    }
    // What was written may differ from what was typed (a handler gave the old value back).
    const QModelIndex cell = model->index(row, column);
    if (alive && cell.isValid())
        setEditorData(alive, cell);
    return written;
}

void GridDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                        const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}

bool GridDelegate::typedKey(QWidget* editor, QKeyEvent* event)
{
    QChar typed = event->text().at(0);
    const QChar original = typed;
    m_host.filterTypedChar(typed);
    if (typed == original)
        return false;
    QKeyEvent replaced(QEvent::KeyPress, Qt::Key_unknown, event->modifiers(), QString(typed));
    m_resending = true;
    QCoreApplication::sendEvent(editor, &replaced);
    m_resending = false;
    return true;
}

bool GridDelegate::eventFilter(QObject* object, QEvent* event)
{
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor && event->type() == QEvent::KeyPress && !m_resending) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (m_host.editorKeyDown(editor, key))
            return true;
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (plain && !key->text().isEmpty() && key->text().at(0).isPrint())
            return typedKey(editor, key);
        if (m_host.editorKey(editor, key))
            return true;
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace zeb
