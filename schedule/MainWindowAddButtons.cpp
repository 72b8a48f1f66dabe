// The "+" buttons: each brings a unit into the schedule at its place through the add dialogs.

#include "dialogs/AddDepartmentDialog.h"
#include "dialogs/AddDivisionDialog.h"
#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "dialogs/directory/DirectoryStatements.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "schedule/MainWindow.h"
#include "platform/seam/Platform.h"

#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

namespace zeb {

void MainWindow::connectAddButtons()
{
    connect(m_addLevelTwoButton, &QToolButton::clicked, this,
            guarded([this](bool) { addLevelTwoDivision(); }));
    connect(m_addSubLevelButton, &QToolButton::clicked, this, guarded([this](bool) { addSubLevel(); }));
    connect(m_addDepartmentButton, &QToolButton::clicked, this, guarded([this](bool) { addDepartment(); }));
    connect(m_addDivisionButton, &QToolButton::clicked, this, guarded([this](bool) { addDivision(); }));
}

// The dialog lists every division; the first-level selector, sharing that list, does too while it is open.
// A list that fails to open is reported by the caller's guard and the dialog is not shown.
void MainWindow::showDivisionDialog(unit::DivisionPlace place, const QList<unit::DivisionPlace>& unavailable)
{
    AddDivisionDialog dialog(m_dataModule, *m_divisionSelector, *m_facultySelector, *m_refreshAction);
    m_dataModule.divisions.setSql(directory::allDivisions());
    m_dataModule.divisions.open();
    dialog.choosePlace(place, unavailable);
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

void MainWindow::addDivision()
{
    showDivisionDialog(unit::DivisionPlace::FirstLevel, {unit::DivisionPlace::LevelTwo});
}

void MainWindow::addSubLevel()
{
    if (m_divisionSelector->keyValue().isNull())
        return;
    showDivisionDialog(unit::DivisionPlace::SubLevel, {unit::DivisionPlace::LevelTwo});
}

// While the dialog is open a line saved in the grid gets no unit defaults; they are back on however the
// handler ends.
void MainWindow::addLevelTwoDivision()
{
    const auto restore = qScopeGuard([this] { m_applyLineDefaults = true; });
    if (m_facultySelector->keyValue().isNull())
        return;
    m_applyLineDefaults = false;
    showDivisionDialog(unit::DivisionPlace::LevelTwo,
                       {unit::DivisionPlace::FirstLevel, unit::DivisionPlace::SubLevel});
}

void MainWindow::addDepartment()
{
    const auto restore = qScopeGuard([this] { m_applyLineDefaults = true; });
    if (m_facultySelector->keyValue().isNull())
        return;
    m_applyLineDefaults = false;
    m_dataModule.departments.setSql(directory::allDepartments());
    m_dataModule.departments.open();
    AddDepartmentDialog dialog(m_dataModule, *m_facultySelector, *m_refreshAction);
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

} // namespace zeb
