// The "+" buttons: each brings a unit into the schedule at its place through the add dialogs.

#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DirectoryStatements.h"
#include "ErrorDisplayApplication.h"
#include "Platform.h"
#include "TForm1.h"
#include "TForm4.h"
#include "TForm5.h"

#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>
#include <QToolButton>

namespace zeb {

void TForm1::connectAddButtons()
{
    connect(Button1, &QToolButton::clicked, this, guarded([this](bool) { Button1Click(); }));
    connect(Button2, &QToolButton::clicked, this, guarded([this](bool) { Button2Click(); }));
    connect(Button3, &QToolButton::clicked, this, guarded([this](bool) { Button3Click(); }));
    connect(Button4, &QToolButton::clicked, this, guarded([this](bool) { Button4Click(); }));
}

// The dialog lists every division; the first-level selector, sharing that list, does too while it is open.
// A list that fails to open is reported by the caller's guard and the dialog is not shown.
void TForm1::showDivisionDialog(QRadioButton* TForm4::*place, const QList<QRadioButton * TForm4::*>& disabled)
{
    TForm4 dialog(m_dataModule, *DBLookupComboboxEh_Otdel_1, *DBLookupComboboxEh_Faculty, *Refresh_Shtat_M);
    for (QRadioButton* TForm4::*option : disabled)
        (dialog.*option)->setEnabled(false);
    dialog.PageControl1->setCurrentIndex(0);
    m_dataModule.ADOQ_Otdel_1.setSql(directory::allDivisions());
    m_dataModule.ADOQ_Otdel_1.open();
    (dialog.*place)->setChecked(true);
    Form4 = &dialog;
    const auto forget = qScopeGuard([] { Form4 = nullptr; });
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

void TForm1::Button4Click()
{
    showDivisionDialog(&TForm4::RBtn_1, {&TForm4::RBtn_2_2});
}

void TForm1::Button2Click()
{
    if (DBLookupComboboxEh_Otdel_1->keyValue().isNull())
        return;
    showDivisionDialog(&TForm4::RBtn_1_1, {&TForm4::RBtn_2_2});
}

// While the dialog is open a line saved in the grid gets no unit defaults; they are back on however the
// handler ends.
void TForm1::Button1Click()
{
    const auto restore = qScopeGuard([this] { ApplyLineDefaults = true; });
    if (DBLookupComboboxEh_Faculty->keyValue().isNull())
        return;
    ApplyLineDefaults = false;
    showDivisionDialog(&TForm4::RBtn_2_2, {&TForm4::RBtn_1, &TForm4::RBtn_1_1});
}

void TForm1::Button3Click()
{
    const auto restore = qScopeGuard([this] { ApplyLineDefaults = true; });
    if (DBLookupComboboxEh_Faculty->keyValue().isNull())
        return;
    ApplyLineDefaults = false;
    m_dataModule.ADOQ_Kafedra.setSql(directory::allDepartments());
    m_dataModule.ADOQ_Kafedra.open();
    TForm5 dialog(m_dataModule, *DBLookupComboboxEh_Faculty, *Refresh_Shtat_M);
    Form5 = &dialog;
    const auto forget = qScopeGuard([] { Form5 = nullptr; });
    Platform::instance().runModal(dialog);
    updateLowerSelectorStates();
}

} // namespace zeb
