#pragma once

#include "schedule/history/LineHistory.h"

#include <QDialog>

class QLabel;
class QTableWidget;

namespace zeb {

// The history of one schedule line, newest change first: when, who (the login the program stamped and
// the database login), and each column's value before and after. Read only; Escape or "Закрыть" closes it.
class LineHistoryDialog : public QDialog
{
    Q_OBJECT

public:
    // `line` names the line for the title, e.g. "№ 3, Доцент".
    LineHistoryDialog(const QString& line, const QList<LineChange>& changes, QWidget* parent = nullptr);

    // The table's column headings.
    static QStringList headings();

private:
    void fill(const QList<LineChange>& changes);

    QLabel* m_title;
    QTableWidget* m_table;
};

// Who made a change: the program's login with the database login in brackets, or the database login alone
// when the program stamped none or the same, or the line was deleted.
QString changeAuthor(const LineChange& change);

} // namespace zeb
