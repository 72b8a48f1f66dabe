#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "schedule/navigation/LineNumbering.h"
#include "schedule/MainWindow.h"
#include "schedule/navigation/NavigationStatements.h"

#include <QStackedWidget>
#include <QTabBar>

namespace zeb {

namespace {

const QColor silver(0xC0, 0xC0, 0xC0);
const QColor white(0xFF, 0xFF, 0xFF);

} // namespace

void MainWindow::connectNavigation()
{
    connect(m_unitTabs, &QTabBar::currentChanged, this, guarded([this](int tab) { switchUnitPage(tab); }));
    connect(m_divisionSelector, &DBLookupComboBox::picked, this, guarded([this] { divisionChosen(); }));
    connect(m_subLevelSelector, &DBLookupComboBox::changed, this, guarded([this] { subLevelChosen(); }));
    connect(m_facultySelector, &DBLookupComboBox::picked, this, guarded([this] { facultyChosen(); }));
    connect(m_levelTwoSelector, &DBLookupComboBox::changed, this, guarded([this] { levelTwoChosen(); }));
    connect(m_departmentSelector, &DBLookupComboBox::changed, this, guarded([this] { departmentChosen(); }));
    for (DBLookupComboBox* selector : {m_divisionSelector, m_subLevelSelector, m_facultySelector,
                                       m_levelTwoSelector, m_departmentSelector})
        connect(selector, &DBLookupComboBox::entered, this, [this] { savePendingEdit(); });
}

void MainWindow::savePendingEdit()
{
    Dataset& schedule = m_dataModule.scheduleLines;
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

void MainWindow::numberScheduleLines()
{
    numberUnnumberedLines(m_dataModule.scheduleLines);
}

QList<UnitBox> MainWindow::unitBoxes() const
{
    const auto box = [](const QString& field, const DBLookupComboBox* selector) {
        return UnitBox{field, selector->text(), selector->keyValue()};
    };
    return {
        box(QStringLiteral("id_otdel_1"), m_divisionSelector),
        box(QStringLiteral("id_otdel_2"), m_levelTwoSelector),
        box(QStringLiteral("id_faculty"), m_facultySelector),
        box(QStringLiteral("id_kafedra"), m_departmentSelector),
        box(QStringLiteral("id_otdel_11"), m_subLevelSelector),
    };
}

bool MainWindow::isActiveControl(const QWidget* control) const
{
    const QWidget* focus = focusWidget();
    return focus && (focus == control || control->isAncestorOf(focus));
}

void MainWindow::setSelectorState(DBLookupComboBox* selector, bool hasEntries)
{
    selector->setColor(hasEntries ? white : silver);
    selector->setEnabled(hasEntries);
}

// A list reloaded behind a chosen unit (a unit added under it) opens or closes its selector.
void MainWindow::updateLowerSelectorStates()
{
    if (!m_divisionSelector->keyValue().isNull())
        setSelectorState(m_subLevelSelector, m_dataModule.subLevels.recordCount() > 0);
    if (!m_facultySelector->keyValue().isNull()) {
        setSelectorState(m_levelTwoSelector, m_dataModule.levelTwoDivisions.recordCount() > 0);
        setSelectorState(m_departmentSelector, m_dataModule.departments.recordCount() > 0);
    }
}

void MainWindow::openSchedule(const QString& statement)
{
    Dataset& schedule = m_dataModule.scheduleLines;
    schedule.setSql(statement);
    schedule.open();
    numberScheduleLines();
}

void MainWindow::switchUnitPage(int newTab)
{
    // The pick handlers below act only for the focused selector, so the resets here pass unnoticed.
    if (QWidget* focus = focusWidget())
        focus->clearFocus();
    savePendingEdit();
    m_selectorPages->setCurrentIndex(newTab);
    m_dataModule.scheduleLines.setSql(navigation::emptySchedule());
    m_departmentSelector->clearValue();
    m_divisionSelector->clearValue();
    m_levelTwoSelector->clearValue();
    m_subLevelSelector->clearValue();
    m_facultySelector->clearValue();
    // The lower selectors mean nothing without the unit above them: they open again with its choice.
    for (DBLookupComboBox* selector : {m_subLevelSelector, m_levelTwoSelector, m_departmentSelector})
        setSelectorState(selector, false);
}

void MainWindow::divisionChosen()
{
    if (isActiveControl(m_divisionSelector)) {
        const QVariant division = m_divisionSelector->keyValue();
        m_dataModule.subLevels.setSql(navigation::subLevels(division));
        m_dataModule.subLevels.open();
        m_subLevelSelector->setListSource(&m_dataModule.subLevelsSource, QStringLiteral("otdel_11"),
                                          QStringLiteral("Otdel_1"));
        m_dataModule.subLevels.sort(QStringLiteral("Otdel_1"));
        m_subLevelSelector->setEnabled(true);
        m_subLevelSelector->clearValue();
        if (!m_divisionSelector->text().isEmpty())
            m_dataModule.scheduleLines.setSql(navigation::divisionLines(division));
        m_dataModule.scheduleLines.open();
        numberScheduleLines();
        m_grid->setEnabled(true);
        m_departmentSelector->setEnabled(false);
        m_departmentSelector->clearValue();
        m_levelTwoSelector->setEnabled(false);
        m_levelTwoSelector->clearValue();
        m_facultySelector->clearValue();
    }
    setSelectorState(m_subLevelSelector, m_dataModule.subLevels.recordCount() > 0);
}

void MainWindow::subLevelChosen()
{
    const QVariant division = m_divisionSelector->keyValue();
    const QVariant subLevel = m_subLevelSelector->keyValue();
    if (division.isNull() || subLevel.isNull())
        return;
    openSchedule(navigation::subLevelLines(division, subLevel));
    m_grid->setEnabled(true);
    m_subLevelSelector->setEnabled(true);
}

void MainWindow::facultyChosen()
{
    if (isActiveControl(m_facultySelector)) {
        const QVariant faculty = m_facultySelector->keyValue();
        m_dataModule.levelTwoDivisions.setSql(navigation::level2Divisions(faculty));
        m_dataModule.levelTwoDivisions.open();
        m_levelTwoSelector->setListSource(&m_dataModule.levelTwoDivisionsSource, QStringLiteral("ID_Otdel_2"),
                                          QStringLiteral("Otdel_1"));
        m_dataModule.levelTwoDivisions.sort(QStringLiteral("Otdel_1"));
        m_dataModule.departments.setSql(navigation::departments(faculty));
        m_dataModule.departments.open();
        m_grid->setEnabled(false);
        m_dataModule.scheduleLines.setSql(navigation::facultyLines(faculty));
        m_departmentSelector->setEnabled(true);
        m_levelTwoSelector->setEnabled(true);
        m_divisionSelector->clearValue();
        m_subLevelSelector->setEnabled(false);
        m_subLevelSelector->clearValue();
        m_departmentSelector->clearValue();
        m_levelTwoSelector->clearValue();
        m_dataModule.scheduleLines.open();
        numberScheduleLines();
        m_grid->setEnabled(true);
    }
    setSelectorState(m_levelTwoSelector, m_dataModule.levelTwoDivisions.recordCount() > 0);
    setSelectorState(m_departmentSelector, m_dataModule.departments.recordCount() > 0);
}

void MainWindow::levelTwoChosen()
{
    if (!isActiveControl(m_levelTwoSelector))
        return;
    m_departmentSelector->clearValue();
    const QVariant level2Division = m_levelTwoSelector->keyValue();
    const QVariant faculty = m_facultySelector->keyValue();
    // Without a faculty the list belongs to no unit on screen: nothing to show.
    if (!level2Division.isNull() && !faculty.isNull())
        openSchedule(navigation::level2DivisionLines(level2Division, faculty));
    m_grid->setEnabled(true);
}

void MainWindow::departmentChosen()
{
    if (!isActiveControl(m_departmentSelector))
        return;
    m_levelTwoSelector->clearValue();
    const QVariant department = m_departmentSelector->keyValue();
    const QVariant faculty = m_facultySelector->keyValue();
    if (!department.isNull() && !faculty.isNull())
        openSchedule(navigation::departmentLines(department, faculty));
    m_grid->setEnabled(true);
}

} // namespace zeb
