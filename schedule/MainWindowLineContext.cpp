#include "MainWindowLineContext.h"

#include "DBGridEh.h"
#include "DBLookupComboBox.h"
#include "Platform.h"
#include "ScheduleColumns.h"
#include "TForm1.h"

namespace zeb {

QString MainWindowLineContext::sessionLogin() const
{
    return m_window.SessionLogin;
}

bool MainWindowLineContext::applyLineDefaults() const
{
    return m_window.ApplyLineDefaults;
}

QList<UnitBox> MainWindowLineContext::unitBoxes() const
{
    const auto box = [](const QString& field, const DBLookupComboBox* selector) {
        return UnitBox{field, selector->text(), selector->keyValue()};
    };
    return {
        box(QStringLiteral("id_otdel_1"), m_window.DBLookupComboboxEh_Otdel_1),
        box(QStringLiteral("id_otdel_2"), m_window.DBLookupComboboxEh_Otdel_2),
        box(QStringLiteral("id_faculty"), m_window.DBLookupComboboxEh_Faculty),
        box(QStringLiteral("id_kafedra"), m_window.DBLookupComboboxEh_Kafedra),
        box(QStringLiteral("id_otdel_11"), m_window.DBLookupComboboxEh_Otdel_11),
    };
}

QList<QByteArray> MainWindowLineContext::selectedRows() const
{
    return m_window.DBGridEh1->selectedRows();
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
