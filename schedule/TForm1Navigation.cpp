#include "DBGridEh.h"
#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "ErrorDisplayApplication.h"
#include "LineNumbering.h"
#include "NavigationStatements.h"
#include "TForm1.h"

#include <QStackedWidget>
#include <QTabBar>

namespace zeb {

namespace {

const QColor silver(0xC0, 0xC0, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);

} // namespace

void TForm1::connectNavigation()
{
    connect(TabSet1, &QTabBar::currentChanged, this, guarded([this](int tab) { TabSet1Change(tab); }));
    connect(DBLookupComboboxEh_Otdel_1, &DBLookupComboBox::picked, this,
            guarded([this] { DBLookupComboboxEh_Otdel_1Change(); }));
    connect(DBLookupComboboxEh_Otdel_11, &DBLookupComboBox::changed, this,
            guarded([this] { DBLookupComboboxEh_Otdel_11Change(); }));
    connect(DBLookupComboboxEh_Faculty, &DBLookupComboBox::picked, this,
            guarded([this] { DBLookupComboboxEh_FacultyChange(); }));
    connect(DBLookupComboboxEh_Otdel_2, &DBLookupComboBox::changed, this,
            guarded([this] { DBLookupComboboxEh_Otdel_2Change(); }));
    connect(DBLookupComboboxEh_Kafedra, &DBLookupComboBox::changed, this,
            guarded([this] { DBLookupComboboxEh_KafedraChange(); }));
    for (DBLookupComboBox* selector :
         {DBLookupComboboxEh_Otdel_1, DBLookupComboboxEh_Otdel_11, DBLookupComboboxEh_Faculty,
          DBLookupComboboxEh_Otdel_2, DBLookupComboboxEh_Kafedra})
        connect(selector, &DBLookupComboBox::entered, this, [this] { SavePendingEdit(); });
}

void TForm1::SavePendingEdit()
{
    Dataset& schedule = m_dataModule.ADOQ_Shtat_rasp;
    if (!schedule.isActive() || !schedule.isModified())
        return;
    // A failed save is shown like any other, so that no change goes unnoticed; the line stays in editing.
    try {
        schedule.edit();
        schedule.post();
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

void TForm1::NumberUnnumberedLines()
{
    numberUnnumberedLines(m_dataModule.ADOQ_Shtat_rasp);
}

bool TForm1::isActiveControl(const QWidget* control) const
{
    const QWidget* focus = focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

void TForm1::setSelectorState(DBLookupComboBox* selector, bool hasEntries)
{
    selector->setColor(hasEntries ? white : silver);
    selector->setEnabled(hasEntries);
}

// A list reloaded behind a chosen unit (a unit added under it) opens or closes its selector.
void TForm1::updateLowerSelectorStates()
{
    if (!DBLookupComboboxEh_Otdel_1->keyValue().isNull())
        setSelectorState(DBLookupComboboxEh_Otdel_11, m_dataModule.ADOQ_Otdel_11.recordCount() > 0);
    if (!DBLookupComboboxEh_Faculty->keyValue().isNull()) {
        setSelectorState(DBLookupComboboxEh_Otdel_2, m_dataModule.ADOQOtdel_2.recordCount() > 0);
        setSelectorState(DBLookupComboboxEh_Kafedra, m_dataModule.ADOQ_Kafedra.recordCount() > 0);
    }
}

void TForm1::openSchedule(const QString& statement)
{
    Dataset& schedule = m_dataModule.ADOQ_Shtat_rasp;
    schedule.setSql(statement);
    schedule.open();
    NumberUnnumberedLines();
}

void TForm1::TabSet1Change(int newTab)
{
    // The pick handlers below act only for the focused selector, so the resets here pass unnoticed.
    if (QWidget* focus = focusWidget())
        focus->clearFocus();
    SavePendingEdit();
    Notebook1->setCurrentIndex(newTab);
    m_dataModule.ADOQ_Shtat_rasp.setSql(navigation::emptySchedule());
    DBLookupComboboxEh_Kafedra->clearValue();
    DBLookupComboboxEh_Otdel_1->clearValue();
    DBLookupComboboxEh_Otdel_2->clearValue();
    DBLookupComboboxEh_Otdel_11->clearValue();
    DBLookupComboboxEh_Faculty->clearValue();
    // The lower selectors mean nothing without the unit above them: they open again with its choice.
    for (DBLookupComboBox* selector :
         {DBLookupComboboxEh_Otdel_11, DBLookupComboboxEh_Otdel_2, DBLookupComboboxEh_Kafedra})
        setSelectorState(selector, false);
}

void TForm1::DBLookupComboboxEh_Otdel_1Change()
{
    if (isActiveControl(DBLookupComboboxEh_Otdel_1)) {
        const QVariant division = DBLookupComboboxEh_Otdel_1->keyValue();
        m_dataModule.ADOQ_Otdel_11.setSql(navigation::subLevels(division));
        m_dataModule.ADOQ_Otdel_11.open();
        DBLookupComboboxEh_Otdel_11->setListSource(&m_dataModule.DS_Otdel_11, QStringLiteral("otdel_11"),
                                                   QStringLiteral("Otdel_1"));
        m_dataModule.ADOQ_Otdel_11.sort(QStringLiteral("Otdel_1"));
        DBLookupComboboxEh_Otdel_11->setEnabled(true);
        DBLookupComboboxEh_Otdel_11->clearValue();
        if (!DBLookupComboboxEh_Otdel_1->text().isEmpty())
            m_dataModule.ADOQ_Shtat_rasp.setSql(navigation::divisionLines(division));
        m_dataModule.ADOQ_Shtat_rasp.open();
        NumberUnnumberedLines();
        DBGridEh1->setEnabled(true);
        DBLookupComboboxEh_Kafedra->setEnabled(false);
        DBLookupComboboxEh_Kafedra->clearValue();
        DBLookupComboboxEh_Otdel_2->setEnabled(false);
        DBLookupComboboxEh_Otdel_2->clearValue();
        DBLookupComboboxEh_Faculty->clearValue();
    }
    setSelectorState(DBLookupComboboxEh_Otdel_11, m_dataModule.ADOQ_Otdel_11.recordCount() > 0);
}

void TForm1::DBLookupComboboxEh_Otdel_11Change()
{
    const QVariant division = DBLookupComboboxEh_Otdel_1->keyValue();
    const QVariant subLevel = DBLookupComboboxEh_Otdel_11->keyValue();
    if (division.isNull() || subLevel.isNull())
        return;
    openSchedule(navigation::subLevelLines(division, subLevel));
    DBGridEh1->setEnabled(true);
    DBLookupComboboxEh_Otdel_11->setEnabled(true);
}

void TForm1::DBLookupComboboxEh_FacultyChange()
{
    if (isActiveControl(DBLookupComboboxEh_Faculty)) {
        const QVariant faculty = DBLookupComboboxEh_Faculty->keyValue();
        m_dataModule.ADOQOtdel_2.setSql(navigation::level2Divisions(faculty));
        m_dataModule.ADOQOtdel_2.open();
        DBLookupComboboxEh_Otdel_2->setListSource(&m_dataModule.DS_Otdel_2, QStringLiteral("ID_Otdel_2"),
                                                  QStringLiteral("Otdel_1"));
        m_dataModule.ADOQOtdel_2.sort(QStringLiteral("Otdel_1"));
        m_dataModule.ADOQ_Kafedra.setSql(navigation::departments(faculty));
        m_dataModule.ADOQ_Kafedra.open();
        DBGridEh1->setEnabled(false);
        m_dataModule.ADOQ_Shtat_rasp.setSql(navigation::facultyLines(faculty));
        DBLookupComboboxEh_Kafedra->setEnabled(true);
        DBLookupComboboxEh_Otdel_2->setEnabled(true);
        DBLookupComboboxEh_Otdel_1->clearValue();
        DBLookupComboboxEh_Otdel_11->setEnabled(false);
        DBLookupComboboxEh_Otdel_11->clearValue();
        DBLookupComboboxEh_Kafedra->clearValue();
        DBLookupComboboxEh_Otdel_2->clearValue();
        m_dataModule.ADOQ_Shtat_rasp.open();
        NumberUnnumberedLines();
        DBGridEh1->setEnabled(true);
    }
    setSelectorState(DBLookupComboboxEh_Otdel_2, m_dataModule.ADOQOtdel_2.recordCount() > 0);
    setSelectorState(DBLookupComboboxEh_Kafedra, m_dataModule.ADOQ_Kafedra.recordCount() > 0);
}

void TForm1::DBLookupComboboxEh_Otdel_2Change()
{
    if (!isActiveControl(DBLookupComboboxEh_Otdel_2))
        return;
    DBLookupComboboxEh_Kafedra->clearValue();
    const QVariant level2Division = DBLookupComboboxEh_Otdel_2->keyValue();
    const QVariant faculty = DBLookupComboboxEh_Faculty->keyValue();
    // Without a faculty the list belongs to no unit on screen: nothing to show.
    if (!level2Division.isNull() && !faculty.isNull())
        openSchedule(navigation::level2DivisionLines(level2Division, faculty));
    DBGridEh1->setEnabled(true);
}

void TForm1::DBLookupComboboxEh_KafedraChange()
{
    if (!isActiveControl(DBLookupComboboxEh_Kafedra))
        return;
    DBLookupComboboxEh_Otdel_2->clearValue();
    const QVariant department = DBLookupComboboxEh_Kafedra->keyValue();
    const QVariant faculty = DBLookupComboboxEh_Faculty->keyValue();
    if (!department.isNull() && !faculty.isNull())
        openSchedule(navigation::departmentLines(department, faculty));
    DBGridEh1->setEnabled(true);
}

} // namespace zeb
