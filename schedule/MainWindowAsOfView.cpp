// The schedule as it stood on a chosen day: a read-only view beside the editable one.

#include "controls/DBGridEh.h"
#include "controls/DBGridFooter.h"
#include "controls/DBLookupComboBox.h"
#include "controls/DBNavigator.h"
#include "controls/DBRichEdit.h"
#include "controls/DateBox.h"
#include "data/dataset/Field.h"
#include "data/module/DataModule.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"
#include "report/AsOfRule.h"
#include "schedule/MainWindow.h"
#include "schedule/grid/ScheduleColumns.h"
#include "schedule/history/LineHistory.h"
#include "schedule/navigation/ChosenUnitLines.h"
#include "schedule/navigation/NavigationStatements.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>

namespace zeb {

QWidget* MainWindow::createAsOfRow(QWidget* footer)
{
    auto* row = new QWidget;
    row->setObjectName(QStringLiteral("AsOfRow"));
    m_asOfCheck = new QCheckBox(QStringLiteral("Расписание на дату:"), row);
    m_asOfCheck->setObjectName(QStringLiteral("AsOfCheck"));
    m_asOfCheck->setToolTip(
        QStringLiteral("Показать строки, действовавшие на выбранную дату (только просмотр)"));
    m_asOfDate = new DateBox(Platform::instance().now().date(), row);
    m_asOfDate->setObjectName(QStringLiteral("AsOfDate"));
    m_asOfDate->setEnabled(false);
    m_asOfMark = new QLabel(QStringLiteral("только просмотр"), row);
    m_asOfMark->setObjectName(QStringLiteral("AsOfMark"));
    m_asOfMark->setStyleSheet(QStringLiteral("color: #a00000; font-weight: bold;"));
    m_asOfMark->hide();
    // Placed in the note's title row, where the totals leave room for it.
    m_historyStart = new QLabel;
    m_historyStart->setObjectName(QStringLiteral("AsOfHistoryStart"));
    m_historyStart->hide();
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 4, 0);
    layout->addWidget(footer, 1, Qt::AlignTop);
    layout->addWidget(m_asOfMark);
    layout->addWidget(m_asOfCheck);
    layout->addWidget(m_asOfDate);

    connect(m_asOfCheck, &QCheckBox::toggled, this, guarded([this](bool on) { showAsOfView(on); }));
    connect(m_asOfDate, &DateBox::dateChanged, this, guarded([this](QDate) {
                if (m_asOfCheck->isChecked())
                    reloadAsOfView();
            }));
    // Another unit chosen, or the schedule read again: the view follows it.
    connect(&m_dataModule.scheduleLines, &Dataset::layoutReset, this, guarded([this] {
        if (m_asOfCheck->isChecked())
            reloadAsOfView();
    }));
    return row;
}

// The grid shows the view and edits nothing while it is on; the schedule keeps what it holds.
void MainWindow::showAsOfView(bool on)
{
    if (on) {
        savePendingEdit();
        reloadAsOfView();
    }
    m_asOfDate->setEnabled(on);
    m_asOfMark->setVisible(on);
    m_historyStart->setVisible(on);
    m_grid->setReadOnly(on);
    m_grid->setDataSource(on ? &m_dataModule.scheduleLinesAsOfSource : &m_dataModule.scheduleLinesSource);
    const QList<GridColumn>& columns = m_grid->columns();
    m_gridFooter->setGrid(
        m_grid, {columns[ScheduleColumn::Units].fieldName, columns[ScheduleColumn::HourFund].fieldName});
    m_noteEditor->setEnabled(!on);
    m_navigator->setEnabled(!on);
    if (!on)
        refreshVacancies();
}

void MainWindow::reloadAsOfView()
{
    const navigation::ChosenUnit unit{m_divisionSelector->keyValue(), m_subLevelSelector->keyValue(),
                                      m_facultySelector->keyValue(), m_levelTwoSelector->keyValue(),
                                      m_departmentSelector->keyValue()};
    const QDate day = m_asOfDate->date();
    const QString statement = navigation::chosenUnitLinesAsOf(unit, day);
    Dataset& view = m_dataModule.scheduleLinesAsOf;
    view.setSql(statement.isEmpty() ? navigation::emptySchedule() : statement);
    view.open();
    const int entered = view.fieldIndex(QStringLiteral("e_d_p"));
    const int withdrawn = view.fieldIndex(QStringLiteral("d_d_p"));
    view.keepRows([&](int position) {
        return countsOn(day, view.valueAt(position, entered).toDate(),
                        view.valueAt(position, withdrawn).toDate());
    });
    const QDate keptSince = LineHistory(m_dataModule.connection).keptSince();
    m_historyStart->setText(keptSince.isValid() ? QStringLiteral("История изменений ведётся с %1")
                                                      .arg(keptSince.toString(QStringLiteral("dd.MM.yyyy")))
                                                : QStringLiteral("История изменений пока пуста"));
    refreshVacancies();
}

} // namespace zeb
