// The occupied and vacant staff units of the unit shown, in the grid's footer beside its totals.

#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DateBox.h"
#include "data/module/DataModule.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"
#include "schedule/MainWindow.h"
#include "schedule/grid/UnitVacancies.h"

#include <QCheckBox>
#include <memory>

namespace zeb {

void MainWindow::connectVacancies()
{
    m_gridFooter->setToolTip(
        QStringLiteral("Занято — сумма ставок сотрудников, работающих на строках подразделения на дату "
                       "(сегодня или «Расписание на дату»); вакантно — незанятые штатные единицы строк; "
                       "сверх — занятое сверх штатных единиц строк (сверх штата)"));
    Dataset& schedule = m_dataModule.scheduleLines;
    // The as-of view refreshes the figures itself once its lines are kept.
    connect(&schedule, &Dataset::layoutReset, this, guarded([this] {
        if (!m_asOfCheck->isChecked())
            refreshVacancies();
    }));
    connect(&schedule, &Dataset::rowRemoved, this, guarded([this](int) { refreshVacancies(); }));
    // After a save; numbering saves each line quietly and resets the rows once at the end.
    auto edited = std::make_shared<bool>(false);
    connect(&schedule, &Dataset::stateChanged, this, guarded([this, &schedule, edited] {
        if (schedule.state() != Dataset::State::Browse) {
            *edited = schedule.isActive();
            return;
        }
        if (*edited && !schedule.controlsDisabled())
            refreshVacancies();
        *edited = false;
    }));
}

void MainWindow::refreshVacancies()
{
    m_gridFooter->setNote({});
    const bool asOf = m_asOfCheck->isChecked();
    const QDate day = asOf ? m_asOfDate->date() : Platform::instance().now().date();
    const VacancyScope scope{m_divisionSelector->keyValue(), m_subLevelSelector->keyValue(),
                             m_facultySelector->keyValue(), m_levelTwoSelector->keyValue(),
                             m_departmentSelector->keyValue()};
    m_gridFooter->setNote(unitVacancyNote(m_dataModule.connection,
                                          asOf ? m_dataModule.scheduleLinesAsOf : m_dataModule.scheduleLines,
                                          day, scope));
}

} // namespace zeb
