#include "schedule/grid/ColumnChangeConfirmation.h"
#include "schedule/grid/ColumnQuestions.h"
#include "controls/DBGridEh.h"
#include "data/module/DataModule.h"
#include "schedule/grid/EmployeeCheck.h"
#include "data/dataset/Field.h"
#include "schedule/MainWindow.h"
#include "schedule/grid/NumberSwap.h"
#include "platform/seam/Platform.h"
#include "schedule/grid/ScheduleColumns.h"
#include "schedule/StartUp.h"

namespace zeb {

namespace {

bool hasNoPost(const Dataset& schedule)
{
    return !schedule.isActive() || schedule.fieldByName(QStringLiteral("id_post"))->asString().isEmpty();
}

} // namespace

void MainWindow::gridEntered()
{
    m_grid->setAlwaysShowEditor(true);
}

void MainWindow::gridLeft()
{
    m_grid->setAlwaysShowEditor(false);
}

void MainWindow::gridKeyPressed(QChar& key)
{
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
}

void MainWindow::showGridColumn(int column)
{
    m_showingGridColumn = true;
    m_grid->setSelectedIndex(column);
    m_showingGridColumn = false;
}

void MainWindow::gridColumnEntered()
{
    // Arriving at the post column itself needs no reminder, nor does a column the program shows, nor a
    // column of the read-only view.
    if (m_showingGridColumn || m_grid->isReadOnly() || m_grid->selectedIndex() == ScheduleColumn::Post ||
        !hasNoPost(m_dataModule.scheduleLines))
        return;
    Platform::instance().messageBox(this, QStringLiteral("Выберите должность!"), applicationTitle(),
                                    MessageButtons::Ok, MessageIcon::None);
    m_grid->setSelectedIndex(ScheduleColumn::Post);
}

void MainWindow::gridCellClicked(int)
{
    Dataset& schedule = m_dataModule.scheduleLines;
    if (!m_grid->isReadOnly() && hasNoPost(schedule) && schedule.isActive())
        schedule.cancel();
}

QList<QByteArray> MainWindow::selectedGridRows() const
{
    return m_grid->selectedRows();
}

void MainWindow::bindColumnQuestions(QList<GridColumn>& columns)
{
    columns[ScheduleColumn::Num].onUpdateData = [this](ColumnUpdateData& data) {
        swapLineNumbers(m_dataModule.scheduleLines, data);
    };
    for (const ColumnQuestion& question : scheduleColumnQuestions())
        columns[question.column].onUpdateData = [this, question](ColumnUpdateData& data) {
            askBeforeColumnChange(m_dataModule.scheduleLines, data, question.question, question.fieldName,
                                  question.restoreAs);
            if (question.column == ScheduleColumn::Deduce)
                keepOccupiedLineInForce(data);
        };
}

// A line someone works on is not withdrawn: the user is told and the line keeps its withdrawal kind.
void MainWindow::keepOccupiedLineInForce(ColumnUpdateData& data)
{
    Dataset& schedule = m_dataModule.scheduleLines;
    if (schedule.state() != Dataset::State::Edit)
        return;
    const qint64 line = schedule.fieldByName(QStringLiteral("id_vakansiya"))->asInteger();
    if (!lineHasEmployees(m_dataModule.connection, line))
        return;
    Platform::instance().messageBox(this, occupiedLineWarning(), QStringLiteral("Предупреждение"),
                                    MessageButtons::Ok, MessageIcon::Warning);
    handBackPreviousValue(schedule, data, QStringLiteral("id_deduce"), RestoreAs::Value);
}

} // namespace zeb
