#pragma once

#include <QDate>
#include <QDialog>

class QDateEdit;
class QPushButton;

namespace zeb {

// Asks for the date the staff schedule is reported as of.
class ReportDateDialog : public QDialog
{
    Q_OBJECT

public:
    ReportDateDialog(const QDate& initial, QWidget* parent = nullptr);

    QDate date() const;

    QDateEdit* DateEdit;
    QPushButton* BuildButton;
    QPushButton* CancelButton;
};

} // namespace zeb
