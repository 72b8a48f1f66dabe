// The "+" buttons: each brings a unit into the schedule at its place through the add dialogs.

#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DirectoryStatements.h"
#include "ErrorDisplayApplication.h"
#include "Platform.h"
#include "MainWindow.h"
#include "AddDivisionDialog.h"
#include "AddDepartmentDialog.h"

#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

namespace zeb {

void MainWindow::connectAddButtons()
{
    connect(m_addLevelTwoButton, &QToolButton::clicked, this, guarded([this](bool) { addLevelTwoDivision(); }));
    connect(m_addSubLevelButton, &QToolButton::clicked, this, guarded([this](bool) { addSubLevel(); }));
    connect(m_addDepartmentButton, &QToolButton::clicked, this, guarded([this](bool) { addDepartment(); }));
    connect(m_addDivisionButton, &QToolButton::clicked, this, guarded([this](bool) { addDivision(); }));
}

// The dialog lists every division; the first-level selector, sharing that list, does too while it is open.
// A list that fails to open is reported by the caller's guard and the dialog is not shown.
void MainWindow::showDivisionDialog(QRadioButton* AddDivisionDialog::*place, const QList<QRadioButton * AddDivisionDialog::*>& disabled)
{
    AddDivisionDialog dialog(m_dataModule, *m_divisionSelector, *m_facultySelector, *m_refreshAction);
    for (QRadioButton* AddDivisionDialog::*option : disabled)
        (dialog.*option)->setEnabled(false);
    dialog.PageControl1->setCurrentIndex(0);
    m_dataModule.divisions.setSql(directory::allDivisions());
    m_dataModule.divisions.open();
    (dialog.*place)->setChecked(true);
    Form4 = &dialog;
    const auto forget = qScopeGuard([] { Form4 = nullptr; });
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

void MainWindow::addDivision()
{
    showDivisionDialog(&AddDivisionDialog::RBtn_1, {&AddDivisionDialog::RBtn_2_2});
}

void MainWindow::addSubLevel()
{
    if (m_divisionSelector->keyValue().isNull())
        return;
    showDivisionDialog(&AddDivisionDialog::RBtn_1_1, {&AddDivisionDialog::RBtn_2_2});
}

// While the dialog is open a line saved in the grid gets no unit defaults; they are back on however the
// handler ends.
void MainWindow::addLevelTwoDivision()
{
    const auto restore = qScopeGuard([this] { m_applyLineDefaults = true; });
    if (m_facultySelector->keyValue().isNull())
        return;
    m_applyLineDefaults = false;
    showDivisionDialog(&AddDivisionDialog::RBtn_2_2, {&AddDivisionDialog::RBtn_1, &AddDivisionDialog::RBtn_1_1});
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
    Form5 = &dialog;
    const auto forget = qScopeGuard([] { Form5 = nullptr; });
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

} // namespace zeb
