#include "ColumnChangeConfirmation.h"
#include "DBGridEh.h"
#include "DataModule.h"
#include "EmployeeCheck.h"
#include "Field.h"
#include "NumberSwap.h"
#include "Platform.h"
#include "ScheduleColumns.h"
#include "StartUp.h"
#include "MainWindow.h"

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
    if (m_showingGridColumn || m_grid->isReadOnly() ||
        m_grid->selectedIndex() == ScheduleColumn::Post || !hasNoPost(m_dataModule.scheduleLines))
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

void MainWindow::DBGridEh1Columns0UpdateData(ColumnUpdateData& data)
{
    swapLineNumbers(m_dataModule.scheduleLines, data);
}

void MainWindow::DBGridEh1Columns1UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить должность?"),
                        QStringLiteral("id_post"), RestoreAs::Value);
}

void MainWindow::DBGridEh1Columns2UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить количество единиц?"),
                        QStringLiteral("q_units"), RestoreAs::Text);
}

void MainWindow::DBGridEh1Columns3UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить разряд?"), QStringLiteral("razrad"),
                        RestoreAs::Text);
}

void MainWindow::DBGridEh1Columns4UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить должность?"),
                        QStringLiteral("id_enter"), RestoreAs::Value);
}

void MainWindow::DBGridEh1Columns5UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить данные?"), QStringLiteral("e_n_p"),
                        RestoreAs::Text);
}

void MainWindow::DBGridEh1Columns6UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить дату внесения?"),
                        QStringLiteral("e_d_p"), RestoreAs::Value);
}

void MainWindow::DBGridEh1Columns7UpdateData(ColumnUpdateData& data)
{
    Dataset& schedule = m_dataModule.scheduleLines;
    ConfirmColumnChange(schedule, data, QStringLiteral("Вы действительно хотите исключить должность?"),
                        QStringLiteral("id_deduce"), RestoreAs::Value);
    if (schedule.state() != Dataset::State::Edit)
        return;
    const qint64 line = schedule.fieldByName(QStringLiteral("id_vakansiya"))->asInteger();
    if (!lineHasEmployees(m_dataModule.connection, line))
        return;
    Platform::instance().messageBox(this, occupiedLineWarning(), QStringLiteral("Предупреждение"),
                                    MessageButtons::Ok, MessageIcon::Warning);
    handBackPreviousValue(schedule, data, QStringLiteral("id_deduce"), RestoreAs::Value);
}

void MainWindow::DBGridEh1Columns8UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить запись?"), QStringLiteral("d_n_p"),
                        RestoreAs::Text);
}

void MainWindow::DBGridEh1Columns9UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить дату?"), QStringLiteral("d_d_p"),
                        RestoreAs::Value);
}

void MainWindow::DBGridEh1FundingSourceUpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.scheduleLines, data,
                        QStringLiteral("Вы действительно хотите изменить источник финансирования?"),
                        QStringLiteral("id_bk"), RestoreAs::Value);
}

} // namespace zeb
