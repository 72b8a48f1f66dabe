#include "tests/schedule/MainWindowRig.h"

#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "data/dataset/Field.h"
#include "tests/support/NamedChild.h"
#include "tests/support/ScheduleFixture.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <QTabBar>
#include <QTest>

namespace zeb {

MainWindowRig::MainWindowRig(EngineKind engine, const QString& login)
    : installation(std::make_unique<TestInstallation>(engine))
{
    loadScheduleFixture(otherWorkstation());
    // Signs in as the sign-in dialog does on success: the session account, the login, the datasets.
    platform.queueModal([this, login](QDialog&) {
        dataModule.connection.setDataDirectory(installation->dataDirectory());
        dataModule.connection.setConnectionString(installation->signedInConnection()->connectionString());
        dataModule.setSessionLogin(login);
        dataModule.openDataSets();
        dataModule.connection.run(QStringLiteral("SET DATEFORMAT dmy"));
        return ModalResult::Ok;
    });
    form = std::make_unique<MainWindow>(dataModule, installation->directory());
    form->resize(1014, 600);
    form->show();
    QApplication::setActiveWindow(form.get());
    if (!QTest::qWaitForWindowActive(form.get()))
        qWarning("The main window did not become active.");
}

MainWindowRig::~MainWindowRig()
{
    form.reset();
    dataModule.connection.close();
}

Connection& MainWindowRig::otherWorkstation()
{
    if (!m_other)
        m_other = installation->signedInConnection();
    return *m_other;
}

void MainWindowRig::execute(const QString& statement)
{
    otherWorkstation().execute(statement);
}

QString MainWindowRig::stored(const QString& statement, const QString& column)
{
    Dataset reader(QStringLiteral("reader"), &otherWorkstation());
    reader.setSql(statement);
    reader.open();
    const Field* field = reader.fieldByName(column);
    QStringList values;
    for (reader.first(); !reader.eof(); reader.next())
        values.append(field->isNull() ? QStringLiteral("null") : field->asString());
    return values.join(QLatin1Char(','));
}

void MainWindowRig::focus(QWidget* control)
{
    control->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
}

namespace {

void clickEntry(QComboBox* box, const QString& text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(QStringLiteral("no entry %1").arg(text)));
    const QPointer<QComboBox> alive(box);
    box->showPopup();
    QAbstractItemView* list = box->view();
    QVERIFY(QTest::qWaitForWindowExposed(list->window()));
    QVERIFY2(alive, "the drop-down list closed before the click");
    const QModelIndex entry = list->model()->index(index, box->modelColumn());
    list->scrollTo(entry);
    const QPoint centre = list->visualRect(entry).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, centre);
    QApplication::processEvents();
}

} // namespace

void MainWindowRig::pick(DBLookupComboBox* selector, const QString& text)
{
    focus(selector);
    clickEntry(selector, text);
}

void MainWindowRig::type(QWidget* control, const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, control, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void MainWindowRig::clickTab(int index)
{
    QTabBar* tabs = child<QTabBar>(*form, "TabSet1");
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

void MainWindowRig::clickCell(int row, int column, Qt::KeyboardModifiers modifiers)
{
    clickCellOf(child<DBGridEh>(*form, "DBGridEh1"), row, column, modifiers);
}

void MainWindowRig::clickCellOf(DBGridEh* grid, int row, int column, Qt::KeyboardModifiers modifiers)
{
    const QModelIndex index = grid->model()->index(row, column);
    grid->scrollTo(index);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, modifiers, grid->visualRect(index).center());
    QApplication::processEvents();
}

QWidget* MainWindowRig::cellEditor(DBGridEh* grid, int row, int column)
{
    // A click on a new line without a post would drop it: its current cell is already open while the grid
    // has the focus.
    QWidget* focused = QApplication::focusWidget();
    const bool inGrid = focused && (focused == grid || grid->isAncestorOf(focused));
    if (!inGrid || grid->currentIndex() != grid->model()->index(row, column))
        clickCellOf(grid, row, column);
    QWidget* editor = QApplication::focusWidget();
    return editor && grid->isAncestorOf(editor) ? editor : nullptr;
}

void MainWindowRig::typeIntoCell(int row, int column, const QString& text)
{
    typeIntoCellOf(child<DBGridEh>(*form, "DBGridEh1"), row, column, text);
}

void MainWindowRig::typeIntoCellOf(DBGridEh* grid, int row, int column, const QString& text)
{
    QLineEdit* line = typeInCellOf(grid, row, column, text);
    QVERIFY2(line, "the cell editor takes no text");
    QTest::keyClick(line, Qt::Key_Tab);
    QApplication::processEvents();
}

void MainWindowRig::typeInCell(int row, int column, const QString& text)
{
    QVERIFY2(typeInCellOf(child<DBGridEh>(*form, "DBGridEh1"), row, column, text),
             "the cell editor takes no text");
}

QLineEdit* MainWindowRig::typeInCellOf(DBGridEh* grid, int row, int column, const QString& text)
{
    QWidget* editor = cellEditor(grid, row, column);
    if (!editor)
        return nullptr;
    auto* line = qobject_cast<QLineEdit*>(editor);
    if (!line)
        line = editor->findChild<QLineEdit*>();
    if (!line)
        return nullptr;
    line->selectAll();
    if (text.isEmpty())
        QTest::keyClick(line, Qt::Key_Delete);
    type(line, text);
    return line;
}

void MainWindowRig::pickInCell(int row, int column, const QString& entry)
{
    pickInCellOf(child<DBGridEh>(*form, "DBGridEh1"), row, column, entry);
}

void MainWindowRig::pickInCellOf(DBGridEh* grid, int row, int column, const QString& entry)
{
    QWidget* editor = cellEditor(grid, row, column);
    auto* box = qobject_cast<QComboBox*>(editor);
    if (!box && editor)
        box = editor->findChild<QComboBox*>();
    QVERIFY2(box, "the cell has no drop-down list");
    clickEntry(box, entry);
}

void MainWindowRig::press(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : form.get(), key, modifiers);
    QApplication::processEvents();
}

QString MainWindowRig::reloaded(int line, const QString& field)
{
    Dataset reader(QStringLiteral("reader"), &otherWorkstation());
    reader.setSql(schedule().sql());
    reader.open();
    if (!reader.locate(QStringLiteral("id_vakansiya"), line))
        return QStringLiteral("no line %1").arg(line);
    const Field* value = reader.fieldByName(field);
    return value->isNull() ? QStringLiteral("null") : value->asString();
}

} // namespace zeb
