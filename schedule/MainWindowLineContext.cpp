#include "schedule/MainWindowLineContext.h"

#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "schedule/MainWindow.h"
#include "platform/seam/Platform.h"
#include "schedule/grid/ScheduleColumns.h"

namespace zeb {

QString MainWindowLineContext::sessionLogin() const
{
    return m_window.dataModule().sessionLogin();
}

bool MainWindowLineContext::applyLineDefaults() const
{
    return m_window.applyLineDefaults();
}

QList<UnitBox> MainWindowLineContext::unitBoxes() const
{
    return m_window.unitBoxes();
}

QList<QByteArray> MainWindowLineContext::selectedRows() const
{
    return m_window.selectedGridRows();
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
