#include "controls/DBGridEh.h"

#include "controls/DBGridEhPrivate.h"
#include "data/module/DataSource.h"
#include "data/dataset/Dataset.h"
#include "data/dataset/DatasetModel.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "data/dataset/Field.h"
#include "controls/GridColumnFit.h"
#include "controls/GridDelegate.h"
#include "controls/GridHeaderView.h"
#include "controls/GridRowIndicator.h"

#include <QApplication>
#include <QKeyEvent>
#include <QScopedValueRollback>
#include <QStyle>

namespace zeb {

namespace {

bool isMoveKey(int key)
{
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return true;
    default:
        return false;
    }
}

} // namespace

DBGridEh::DBGridEh(QWidget* parent) : QTableView(parent), d(std::make_unique<Private>(this))
{
    d->header = new GridHeaderView(this);
    d->indicator = new GridRowIndicator(this);
    d->delegate = new GridDelegate(*d, this);
    setHorizontalHeader(d->header);
    setVerticalHeader(d->indicator);
    setItemDelegate(d->delegate);
    setSelectionMode(QAbstractItemView::NoSelection);
    // Columns never fit narrower than their minimum text: on a narrow screen the grid scrolls sideways.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    setTabKeyNavigation(true);
    setWordWrap(false);
    // The delegate draws the lines along its cells: the view's pen lines cost more than the cells.
    setGridStyle(Qt::NoPen);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                    QAbstractItemView::AnyKeyPressed);
    QPalette colours = palette();
    colours.setColor(QPalette::Button, QColor(192, 192, 192));
    setPalette(colours);
    setCellColour(Qt::white);
    d->updateRowHeight();
    d->focusConnection = connect(qApp, &QApplication::focusChanged, this,
                                 [this](QWidget*, QWidget* now) { d->focusChanged(now); });
}

DBGridEh::~DBGridEh()
{
    disconnect(d->focusConnection);
    if (d->dataset)
        disconnect(d->dataset, nullptr, this, nullptr);
    // Editors closing while the grid goes away must not write through a half-destroyed grid.
    delete d->delegate;
}

Dataset* DBGridEh::dataset() const
{
    return d->dataset;
}

void DBGridEh::setDataSource(DataSource* source)
{
    m_source = source;
    d->attach(source ? source->dataSet() : nullptr);
}

void DBGridEh::setColumns(const QList<GridColumn>& columns)
{
    m_columns = columns;
    d->applyColumns();
}

int DBGridEh::selectedIndex() const
{
    return currentIndex().isValid() ? currentIndex().column() : d->column;
}

void DBGridEh::setSelectedIndex(int column)
{
    if (column < 0 || column >= m_columns.size())
        return;
    if (!d->model || d->model->rowCount() == 0 || !d->dataset) {
        d->enterColumn(column);
        return;
    }
    setCurrentIndex(d->model->index(qMax(0, d->dataset->recNo()), column));
}

void DBGridEh::selectRows(const QList<QByteArray>& bookmarks)
{
    d->setSelection(bookmarks);
}

void DBGridEh::clearSelectedRows()
{
    d->setSelection({});
}

void DBGridEh::setAlwaysShowEditor(bool on)
{
    m_alwaysShowEditor = on;
    d->showEditorIfAlways();
}

void DBGridEh::setReadOnly(bool on)
{
    if (m_readOnly == on)
        return;
    m_readOnly = on;
    setCellColour(on ? QColor(224, 224, 224) : QColor(Qt::white));
    if (on) {
        QWidget* editor = d->delegate->openEditor();
        if (editor && state() == QAbstractItemView::EditingState) {
            const QScopedValueRollback hold(d->holdEditor, true);
            closeEditor(editor, QAbstractItemDelegate::RevertModelCache);
        }
        return;
    }
    // From the key handler the key is still to come: an editor opened now would miss a typed character.
    if (d->inKeyDown)
        d->reopenAfterKey = true;
    else
        d->showEditorIfAlways();
}

bool DBGridEh::commitEditor()
{
    QWidget* editor = d->delegate->openEditor();
    if (!editor || m_readOnly || state() != QAbstractItemView::EditingState ||
        !GridDelegate::editorChanged(editor))
        return true;
    return d->delegate->write(editor, model(), currentIndex());
}

void DBGridEh::setCellColour(const QColor& colour)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Base, colour);
    colours.setColor(QPalette::AlternateBase, colour);
    setPalette(colours);
}

void DBGridEh::showFindDialog()
{
    try {
        d->find();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void DBGridEh::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    // Leaving an untouched new line drops it, and the lines below it move up: the target follows its line.
    const QPersistentModelIndex target = current;
    // Writes the edit of the cell being left while the dataset is still on its line.
    QTableView::currentChanged(current, previous);
    d->indicator->viewport()->update();
    if (d->syncing || !target.isValid() || !d->dataset)
        return;
    try {
        if (target.row() != d->dataset->recNo())
            d->dataset->gotoBookmark(d->dataset->bookmarkAt(target.row()));
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    d->syncCurrent();
    if (currentIndex() == target) {
        d->enterColumn(target.column());
        d->showEditorIfAlways();
    }
}

void DBGridEh::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QWidget* windowFocus = window()->focusWidget();
    const bool editorHeldFocus =
        editor && windowFocus && (windowFocus == editor || editor->isAncestorOf(windowFocus));
    QTableView::closeEditor(editor, hint);
    // While a question box is up the editor does not count as focused and Qt leaves the focus with it;
    // the keyboard must come back to the grid, not to the window's first control.
    if (editorHeldFocus && window()->focusWidget() != this)
        setFocus(Qt::OtherFocusReason);
    if (!d->holdEditor)
        d->showEditorIfAlways();
}

bool DBGridEh::edit(const QModelIndex& index, EditTrigger trigger, QEvent* event)
{
    return !m_readOnly && QTableView::edit(index, trigger, event);
}

void DBGridEh::keyPressEvent(QKeyEvent* event)
{
    const bool fromEditor = std::exchange(d->keyFromEditor, nullptr) == event;
    if (!d->keyHooked && !fromEditor && !d->keyDown(event)) {
        event->accept();
        return;
    }
    const QScopedValueRollback hooked(d->keyHooked, true);
    try {
        const QModelIndex before = currentIndex();
        if (d->gridKey(event)) {
            if (isMoveKey(event->key()))
                d->afterUserMove(before, event->modifiers());
            return;
        }
        const bool typed = !event->text().isEmpty() && event->text().at(0).isPrint() &&
                           !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
        if (!typed) {
            QTableView::keyPressEvent(event);
            if (isMoveKey(event->key()))
                d->afterUserMove(before, event->modifiers());
            return;
        }
        QChar ch = event->text().at(0);
        d->filterTypedChar(ch);
        QKeyEvent replaced(QEvent::KeyPress, event->key(), event->modifiers(), QString(ch));
        QScopedValueRollback filtered(d->charFiltered, true);
        QTableView::keyPressEvent(&replaced);
        event->setAccepted(replaced.isAccepted());
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    if (std::exchange(d->reopenAfterKey, false))
        d->showEditorIfAlways();
}

void DBGridEh::mousePressEvent(QMouseEvent* event)
{
    try {
        const QPersistentModelIndex clicked = indexAt(event->position().toPoint());
        d->pressed = clicked;
        QTableView::mousePressEvent(event);
        if (!clicked.isValid() || currentIndex().row() != clicked.row() || event->button() != Qt::LeftButton)
            return;
        if (event->modifiers() & Qt::ControlModifier) {
            d->toggleRow(clicked.row());
        } else if (event->modifiers() & Qt::ShiftModifier) {
            d->extendTo(clicked.row());
        } else {
            d->setSelection({});
            d->anchorRow = clicked.row();
        }
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void DBGridEh::mouseReleaseEvent(QMouseEvent* event)
{
    try {
        QTableView::mouseReleaseEvent(event);
        const QModelIndex released = indexAt(event->position().toPoint());
        const QModelIndex pressed = std::exchange(d->pressed, QModelIndex());
        // Also when the move to the cell was turned back (a column handler, a refused save): the click
        // happened all the same.
        if (released.isValid() && released == pressed && onCellClick)
            onCellClick(released.column());
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void DBGridEh::focusInEvent(QFocusEvent* event)
{
    QTableView::focusInEvent(event);
    d->showEditorIfAlways();
}

void DBGridEh::changeEvent(QEvent* event)
{
    QTableView::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        d->updateRowHeight();
        d->fitColumns();
    }
}

bool DBGridEh::viewportEvent(QEvent* event)
{
    // The viewport never has the focus: a key reaching it comes up from the cell editor.
    if (event->type() == QEvent::KeyPress)
        d->keyFromEditor = event;
    const bool handled = QTableView::viewportEvent(event);
    if (event->type() == QEvent::Resize)
        d->fitColumns();
    return handled;
}

// ---- binding

void DBGridEh::Private::attach(Dataset* target)
{
    if (dataset)
        QObject::disconnect(dataset, nullptr, q, nullptr);
    QItemSelectionModel* oldSelection = q->selectionModel();
    q->setModel(nullptr);
    delete oldSelection;
    delete model;
    model = nullptr;
    dataset = target;
    selected.clear();
    selectedKeys.clear();
    q->m_selectedRows.clear();
    indicator->setDataset(target);
    if (!target)
        return;

    // The view must not move the dataset while the dataset itself adds, removes or replaces rows:
    // these connections come before the model's own.
    const auto hold = [this] { syncing = true; };
    QObject::connect(target, &Dataset::rowInserted, q, hold);
    QObject::connect(target, &Dataset::rowRemoved, q, hold);
    QObject::connect(target, &Dataset::layoutReset, q, hold);
    model = new DatasetModel(target, q);
    model->setErrorHandler([](const Error& error) { showUnhandledError(error); });
    const auto release = [this] { syncing = false; };
    QObject::connect(target, &Dataset::rowInserted, q, release);
    QObject::connect(target, &Dataset::rowRemoved, q, release);
    QObject::connect(target, &Dataset::layoutReset, q, [this] { afterReset(); });
    QObject::connect(target, &Dataset::currentRowChanged, q, [this] { syncCurrent(); });
    // A save from elsewhere (the navigator's button) takes what is typed in the open cell too.
    QObject::connect(target, &Dataset::updatingRecord, q, [this] {
        QWidget* editor = delegate->openEditor();
        if (editor && GridDelegate::editorChanged(editor))
            q->commitData(editor);
    });
    QObject::connect(target, &Dataset::stateChanged, q, [this] { q->viewport()->update(); });
    q->setModel(model);
    applyColumns();
}

void DBGridEh::Private::applyColumns()
{
    QStringList titles;
    QStringList names;
    for (const GridColumn& gridColumn : q->m_columns) {
        titles.append(gridColumn.title);
        names.append(gridColumn.fieldName);
    }
    header->setTitles(titles);
    if (!model)
        return;
    {
        QScopedValueRollback hold(syncing, true);
        model->setColumns(names);
    }
    column = qBound(0, column, qMax(0, int(names.size()) - 1));
    fitColumns();
    syncCurrent();
}

void DBGridEh::Private::afterReset()
{
    syncing = false;
    keepSurvivingSelection();
    fitColumns();
    syncCurrent();
}

// The columns share the viewport's width in the proportions of their widths, each at least as wide as its
// minimum text needs.
void DBGridEh::Private::fitColumns()
{
    const int count = int(q->m_columns.size());
    if (!model || count == 0 || header->count() != count)
        return;
    QList<int> proportions;
    QList<int> minimums;
    for (int i = 0; i < count; ++i) {
        proportions.append(q->m_columns[i].width);
        minimums.append(minimumWidth(i));
    }
    const QList<int> widths = fitColumnWidths(proportions, minimums, q->viewport()->width());
    for (int i = 0; i < count; ++i)
        header->resizeSection(i, widths[i]);
}

// The minimum text with the cell's margins, and room for the drop-down or calendar button of lookup and date
// cells.
int DBGridEh::Private::minimumWidth(int index) const
{
    const QString& text = q->m_columns[index].minimumText;
    if (text.isEmpty())
        return 0;
    const int margin = q->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, q) + 1;
    int width = q->fontMetrics().horizontalAdvance(text) + 2 * margin + 4;
    if (const Field* field = gridField(index)) {
        const FieldType type = field->dataType();
        if (field->isLookup() || type == FieldType::Date || type == FieldType::DateTime)
            width += q->verticalHeader()->defaultSectionSize();
    }
    return width;
}

void DBGridEh::Private::updateRowHeight()
{
    const int height = q->fontMetrics().height() + 4;
    indicator->setMinimumSectionSize(height);
    indicator->setDefaultSectionSize(height);
}

// Puts the view's current cell on the dataset's current row.
void DBGridEh::Private::syncCurrent()
{
    if (!model || !dataset)
        return;
    const QModelIndex current = q->currentIndex();
    const int col = current.isValid() ? current.column() : column;
    const int row = dataset->recNo();
    const QModelIndex target =
        row >= 0 ? model->index(row, qBound(0, col, model->columnCount() - 1)) : QModelIndex();
    if (target == current)
        return;
    QScopedValueRollback hold(syncing, true);
    q->selectionModel()->setCurrentIndex(target, QItemSelectionModel::NoUpdate);
    if (target.isValid())
        q->scrollTo(target);
}

void DBGridEh::Private::enterColumn(int target)
{
    if (target == column)
        return;
    column = target;
    q->viewport()->update();
    // The handler may move the column itself; that move does not call it again.
    if (inColEnter || !q->onColEnter)
        return;
    QScopedValueRollback guard(inColEnter, true);
    q->onColEnter();
}

bool DBGridEh::Private::hasFocusInside() const
{
    for (const QWidget* w = QApplication::focusWidget(); w; w = w->parentWidget()) {
        if (w == q)
            return true;
    }
    return false;
}

void DBGridEh::Private::focusChanged(QWidget* now)
{
    bool inside = false;
    for (const QWidget* w = now; w; w = w->parentWidget())
        inside = inside || w == q;
    // A box or dialog of another window taking the focus for a while is not leaving the grid.
    if (inside == focusInside || (!inside && (!now || now->window() != q->window())))
        return;
    focusInside = inside;
    try {
        if (inside) {
            if (q->onEnter)
                q->onEnter();
            return;
        }
        if (dataset && dataset->state() == Dataset::State::Insert && !dataset->isModified())
            dataset->cancel();
        if (q->onExit)
            q->onExit();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void DBGridEh::Private::showEditorIfAlways()
{
    const QModelIndex current = q->currentIndex();
    if (!q->m_alwaysShowEditor || q->m_readOnly || holdEditor || !current.isValid() || !hasFocusInside() ||
        q->state() == QAbstractItemView::EditingState || !(current.flags() & Qt::ItemIsEditable))
        return;
    q->edit(current);
}

// ---- cells

const GridColumn* DBGridEh::Private::gridColumn(int index) const
{
    return index >= 0 && index < q->m_columns.size() ? &q->m_columns[index] : nullptr;
}

Field* DBGridEh::Private::gridField(int index) const
{
    const int field = model ? model->fieldIndex(index) : -1;
    return field < 0 ? nullptr : dataset->field(field);
}

bool DBGridEh::Private::isCurrentCell(const QModelIndex& index) const
{
    return index == q->currentIndex();
}

void DBGridEh::Private::filterTypedChar(QChar& ch)
{
    if (!charFiltered && q->onKeyPress)
        q->onKeyPress(ch);
}

bool DBGridEh::Private::commitCell(const QModelIndex& index, const CellEdit& edit)
{
    Field* field = gridField(index.column());
    if (!field || q->m_readOnly)
        return false;
    try {
        // A text the column cannot take is refused before the line is edited or the change asked about.
        if (edit.kind == CellEdit::Kind::Typed)
            field->checkText(edit.text);
        if (index.row() != dataset->recNo())
            dataset->moveTo(index.row());
        if (dataset->state() == Dataset::State::Browse)
            dataset->edit();
        ColumnUpdateData data;
        data.Text = edit.text;
        data.UseText = edit.kind == CellEdit::Kind::Typed;
        data.Value = data.UseText ? QVariant(edit.text) : edit.value;
        // A copy: the handler may replace the grid's columns.
        const auto handler = q->m_columns[index.column()].onUpdateData;
        if (handler)
            handler(data);
        if (!data.Handled)
            write(*field, edit, data);
        return true;
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return false;
    }
}

void DBGridEh::Private::write(Field& field, const CellEdit& edit, const ColumnUpdateData& data)
{
    if (data.UseText)
        field.setAsString(data.Text);
    else if (field.isLookup() && edit.kind == CellEdit::Kind::LookupPick)
        dataset->fieldByName(field.definition().keyField)->setValue(data.Value);
    else
        field.setValue(data.Value);
}

} // namespace zeb
