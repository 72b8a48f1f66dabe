#pragma once

#include "data/module/DataModule.h"
#include "schedule/MainWindow.h"
#include "tests/support/ScriptedPlatform.h"
#include "tests/support/SentStatements.h"
#include "tests/support/TestInstallation.h"

#include <memory>

class QComboBox;
class QLineEdit;

namespace zeb {

class DBGridEh;
class DBLookupComboBox;

// The main window signed in on a fresh installation holding the small schedule of ScheduleFixture.h,
// shown and active, with the scripted seam answering its boxes. A second workstation's connection
// writes beside it.
class MainWindowRig
{
public:
    // Raises Error when the installation cannot be made.
    explicit MainWindowRig(EngineKind engine, const QString& login = QStringLiteral("kadry"));
    ~MainWindowRig();

    ScriptedPlatform platform;
    std::unique_ptr<TestInstallation> installation;
    DataModule dataModule;
    std::unique_ptr<MainWindow> form;

    Dataset& schedule() { return dataModule.scheduleLines; }
    // A connection of another workstation, signed in on the same database.
    Connection& otherWorkstation();
    // Runs a statement on the other workstation's connection.
    void execute(const QString& statement);
    // A column of the stored rows as the client reads it, comma-separated ("null" for NULL).
    QString stored(const QString& statement, const QString& column);

    // Gives `selector` the focus as a click would, and waits for the window to see it.
    void focus(QWidget* control);
    // Opens the selector's list and clicks the entry showing `text`, as a user picks it.
    void pick(DBLookupComboBox* selector, const QString& text);
    // Types `text` into an editable selector, one key at a time.
    void type(QWidget* control, const QString& text);
    // Clicks the tab with `index` on the tab strip.
    void clickTab(int index);

    // A grid, as a user works in it: clicking a cell opens its editor while the grid has the focus.
    // Without a grid, the schedule grid.
    void clickCell(int row, int column, Qt::KeyboardModifiers modifiers = {});
    void clickCellOf(DBGridEh* grid, int row, int column, Qt::KeyboardModifiers modifiers = {});
    // Replaces the cell's text by typing it and leaves the cell with Tab, which commits it.
    void typeIntoCell(int row, int column, const QString& text);
    void typeIntoCellOf(DBGridEh* grid, int row, int column, const QString& text);
    // Replaces the cell's text by typing it; the editor stays open with the text uncommitted.
    void typeInCell(int row, int column, const QString& text);
    // Opens the cell's drop-down list and clicks the entry, which commits it.
    void pickInCell(int row, int column, const QString& entry);
    void pickInCellOf(DBGridEh* grid, int row, int column, const QString& entry);
    // A key pressed wherever the focus is.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {});
    // The schedule read again from the database: the field of the line with key `line` as text.
    QString reloaded(int line, const QString& field);

private:
    // Types into the cell's open editor; null when it has none that takes text.
    QLineEdit* typeInCellOf(DBGridEh* grid, int row, int column, const QString& text);
    // The open editor of the cell, made current by a click unless it is current already.
    QWidget* cellEditor(DBGridEh* grid, int row, int column);

    std::unique_ptr<Connection> m_other;
};

} // namespace zeb
