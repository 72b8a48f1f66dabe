#include "schedule/menu/ReportDateDialog.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace zeb {

ReportDateDialog::ReportDateDialog(const QDate& initial, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportDateDialog"));
    setWindowTitle(QStringLiteral("Штатное расписание"));
    // Wide enough for the whole title.
    setMinimumWidth(340);

    DateEdit = new QDateEdit(initial, this);
    DateEdit->setObjectName(QStringLiteral("DateEdit"));
    DateEdit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DateEdit->setCalendarPopup(true);

    BuildButton = new QPushButton(QStringLiteral("Сформировать"), this);
    BuildButton->setObjectName(QStringLiteral("BuildButton"));
    BuildButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Отмена"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setAutoDefault(false);
    connect(BuildButton, &QPushButton::clicked, this, &QDialog::accept);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("По состоянию на:"), DateEdit);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BuildButton);
    buttons->addWidget(CancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QDate ReportDateDialog::date() const
{
    return DateEdit->date();
}

} // namespace zeb
