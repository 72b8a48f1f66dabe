// The schedule as it stood on a chosen day: a read-only view beside the editable one.

#include "AsOfRule.h"
#include "ChosenUnitLines.h"
#include "DBGridEh.h"
#include "DBGridFooter.h"
#include "DBLookupComboBox.h"
#include "DBNavigator.h"
#include "DBRichEdit.h"
#include "DataModule.h"
#include "DateBox.h"
#include "ErrorDisplayApplication.h"
#include "Field.h"
#include "NavigationStatements.h"
#include "Platform.h"
#include "ScheduleColumns.h"
#include "TForm1.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

namespace zeb {

QWidget* TForm1::createAsOfRow(QWidget* footer)
{
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("AsOfRow"));
    AsOfCheck = new QCheckBox(QStringLiteral("Расписание на дату:"), row);
    AsOfCheck->setObjectName(QStringLiteral("AsOfCheck"));
    AsOfCheck->setToolTip(
        QStringLiteral("Показать строки, действовавшие на выбранную дату (только просмотр)"));
    AsOfDate = new DateBox(Platform::instance().now().date(), row);
    AsOfDate->setObjectName(QStringLiteral("AsOfDate"));
    AsOfDate->setEnabled(false);
    AsOfMark = new QLabel(QStringLiteral("только просмотр"), row);
    AsOfMark->setObjectName(QStringLiteral("AsOfMark"));
    AsOfMark->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    AsOfMark->hide();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->addWidget(footer, 1, Qt::AlignTop);
    layout->addWidget(AsOfMark);
    layout->addWidget(AsOfCheck);
    layout->addWidget(AsOfDate);

    connect(AsOfCheck, &QCheckBox::toggled, this, guarded([this](bool on) { showAsOfView(on); }));
    connect(AsOfDate, &DateBox::dateChanged, this, guarded([this](QDate) {
                if (AsOfCheck->isChecked())
                    reloadAsOfView();
            }));
    // Another unit chosen, or the schedule read again: the view follows it.
    connect(&m_dataModule.ADOQ_Shtat_rasp, &Dataset::layoutReset, this, guarded([this] {
        if (AsOfCheck->isChecked())
            reloadAsOfView();
    }));
    return row;
}

// The grid shows the view and edits nothing while it is on; the schedule keeps what it holds.
void TForm1::showAsOfView(bool on)
{
    if (on) {
        SavePendingEdit();
        reloadAsOfView();
    }
    AsOfDate->setEnabled(on);
    AsOfMark->setVisible(on);
    DBGridEh1->setReadOnly(on);
    DBGridEh1->setDataSource(on ? &m_dataModule.DS_Shtat_asOf : &m_dataModule.DS_Shtat_rasp);
    const QList<GridColumn>& columns = DBGridEh1->columns();
    DBGridEh1Footer->setGrid(
        DBGridEh1, {columns[ScheduleColumn::Units].fieldName, columns[ScheduleColumn::HourFund].fieldName});
    DBRichEdit1->setEnabled(!on);
    DBNavigator1->setEnabled(!on);
}

void TForm1::reloadAsOfView()
{
    const navigation::ChosenUnit unit{
        DBLookupComboboxEh_Otdel_1->keyValue(), DBLookupComboboxEh_Otdel_11->keyValue(),
        DBLookupComboboxEh_Faculty->keyValue(), DBLookupComboboxEh_Otdel_2->keyValue(),
        DBLookupComboboxEh_Kafedra->keyValue()};
    const QString statement = navigation::chosenUnitLinesInAnyState(unit);
    Dataset& view = m_dataModule.ADOQ_Shtat_asOf;
    view.setSql(statement.isEmpty() ? navigation::emptySchedule() : statement);
    view.open();
    const QDate day = AsOfDate->date();
    const int entered = view.fieldIndex(QStringLiteral("e_d_p"));
    const int withdrawn = view.fieldIndex(QStringLiteral("d_d_p"));
    view.keepRows([&](int position) {
        return countsOn(day, view.valueAt(position, entered).toDate(),
                        view.valueAt(position, withdrawn).toDate());
    });
}

} // namespace zeb
