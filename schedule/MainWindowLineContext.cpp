#include "MainWindowLineContext.h"

#include "DBGridEh.h"
#include "DBLookupComboBox.h"
#include "Platform.h"
#include "ScheduleColumns.h"
#include "MainWindow.h"

namespace zeb {

QString MainWindowLineContext::sessionLogin() const
{
    return m_window.m_sessionLogin;
}

bool MainWindowLineContext::applyLineDefaults() const
{
    return m_window.m_applyLineDefaults;
}

QList<UnitBox> MainWindowLineContext::unitBoxes() const
{
    const auto box = [](const QString& field, const DBLookupComboBox* selector) {
        return UnitBox{field, selector->text(), selector->keyValue()};
    };
    return {
        box(QStringLiteral("id_otdel_1"), m_window.m_divisionSelector),
        box(QStringLiteral("id_otdel_2"), m_window.m_levelTwoSelector),
        box(QStringLiteral("id_faculty"), m_window.m_facultySelector),
        box(QStringLiteral("id_kafedra"), m_window.m_departmentSelector),
        box(QStringLiteral("id_otdel_11"), m_window.m_subLevelSelector),
    };
}

QList<QByteArray> MainWindowLineContext::selectedRows() const
{
    return m_window.m_grid->selectedRows();
}

QDateTime MainWindowLineContext::now() const
{
    return Platform::instance().now();
}

void MainWindowLineContext::showNotice(const QString& text, const QString& caption, NoticeIcon icon)
{
    Platform::instance().messageBox(&m_window, text, caption, MessageButtons::Ok,
                                    icon == NoticeIcon::Warning ? MessageIcon::Warning : MessageIcon::Error);
}

void MainWindowLineContext::focusEntryKindColumn()
{
    m_window.showGridColumn(ScheduleColumn::Enter);
}

} // namespace zeb
