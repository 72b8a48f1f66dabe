#include "ColumnChangeConfirmation.h"
#include "DBGridEh.h"
#include "DataModule.h"
#include "EmployeeCheck.h"
#include "Field.h"
#include "NumberSwap.h"
#include "Platform.h"
#include "ScheduleColumns.h"
#include "StartUp.h"
#include "TForm1.h"

namespace zeb {

namespace {

bool hasNoPost(const Dataset& schedule)
{
    return !schedule.isActive() || schedule.fieldByName(QStringLiteral("id_post"))->asString().isEmpty();
}

} // namespace

void TForm1::DBGridEh1Enter()
{
    DBGridEh1->setAlwaysShowEditor(true);
}

void TForm1::DBGridEh1Exit()
{
    DBGridEh1->setAlwaysShowEditor(false);
}

void TForm1::DBGridEh1KeyPress(QChar& key)
{
    if (key == QLatin1Char('.'))
        key = QLatin1Char(',');
}

void TForm1::showGridColumn(int column)
{
    m_showingGridColumn = true;
    DBGridEh1->setSelectedIndex(column);
    m_showingGridColumn = false;
}

void TForm1::DBGridEh1ColEnter()
{
    // Arriving at the post column itself needs no reminder, nor does a column the program shows, nor a
    // column of the read-only view.
    if (m_showingGridColumn || DBGridEh1->isReadOnly() ||
        DBGridEh1->selectedIndex() == ScheduleColumn::Post || !hasNoPost(m_dataModule.ADOQ_Shtat_rasp))
        return;
    Platform::instance().messageBox(this, QStringLiteral("Выберите должность!"), applicationTitle(),
                                    MessageButtons::Ok, MessageIcon::None);
    DBGridEh1->setSelectedIndex(ScheduleColumn::Post);
}

void TForm1::DBGridEh1CellClick(int)
{
    Dataset& schedule = m_dataModule.ADOQ_Shtat_rasp;
    if (!DBGridEh1->isReadOnly() && hasNoPost(schedule) && schedule.isActive())
        schedule.cancel();
}

void TForm1::DBGridEh1Columns0UpdateData(ColumnUpdateData& data)
{
    swapLineNumbers(m_dataModule.ADOQ_Shtat_rasp, data);
}

void TForm1::DBGridEh1Columns1UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить должность?"),
                        QStringLiteral("id_post"), RestoreAs::Value);
}

void TForm1::DBGridEh1Columns2UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить количество единиц?"),
                        QStringLiteral("q_units"), RestoreAs::Text);
}

void TForm1::DBGridEh1Columns3UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить разряд?"), QStringLiteral("razrad"),
                        RestoreAs::Text);
}

void TForm1::DBGridEh1Columns4UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить должность?"),
                        QStringLiteral("id_enter"), RestoreAs::Value);
}

void TForm1::DBGridEh1Columns5UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить данные?"), QStringLiteral("e_n_p"),
                        RestoreAs::Text);
}

void TForm1::DBGridEh1Columns6UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить дату внесения?"),
                        QStringLiteral("e_d_p"), RestoreAs::Value);
}

void TForm1::DBGridEh1Columns7UpdateData(ColumnUpdateData& data)
{
    Dataset& schedule = m_dataModule.ADOQ_Shtat_rasp;
    ConfirmColumnChange(schedule, data, QStringLiteral("Вы действительно хотите исключить должность?"),
                        QStringLiteral("id_deduce"), RestoreAs::Value);
    if (schedule.state() != Dataset::State::Edit)
        return;
    const qint64 line = schedule.fieldByName(QStringLiteral("id_vakansiya"))->asInteger();
    if (!lineHasEmployees(m_dataModule.ADO_Shtat, line))
        return;
    Platform::instance().messageBox(this, occupiedLineWarning(), QStringLiteral("Предупреждение"),
                                    MessageButtons::Ok, MessageIcon::Warning);
    handBackPreviousValue(schedule, data, QStringLiteral("id_deduce"), RestoreAs::Value);
}

void TForm1::DBGridEh1Columns8UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить запись?"), QStringLiteral("d_n_p"),
                        RestoreAs::Text);
}

void TForm1::DBGridEh1Columns9UpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить дату?"), QStringLiteral("d_d_p"),
                        RestoreAs::Value);
}

void TForm1::DBGridEh1FundingSourceUpdateData(ColumnUpdateData& data)
{
    ConfirmColumnChange(m_dataModule.ADOQ_Shtat_rasp, data,
                        QStringLiteral("Вы действительно хотите изменить источник финансирования?"),
                        QStringLiteral("id_bk"), RestoreAs::Value);
}

} // namespace zeb
