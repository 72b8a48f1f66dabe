#pragma once

#include "data/rules/ScheduleLineContext.h"

namespace zeb {

class MainWindow;

// What the schedule line rules read from the main window: the login, the defaults flag, the unit boxes,
// the grid's selection; their notices go through the platform's message boxes.
class MainWindowLineContext : public ScheduleLineContext
{
public:
    explicit MainWindowLineContext(MainWindow& window) : m_window(window) {}

    QString sessionLogin() const override;
    bool applyLineDefaults() const override;
    QList<UnitBox> unitBoxes() const override;
    QList<QByteArray> selectedRows() const override;
    QDateTime now() const override;
    void showNotice(const QString& text, const QString& caption, NoticeIcon icon) override;
    void focusEntryKindColumn() override;

private:
    MainWindow& m_window;
};

} // namespace zeb
