#pragma once

#include "report/FormRequisites.h"
#include "report/ReportChoices.h"

#include <QDialog>

class QComboBox;
class QLineEdit;

namespace zeb {

class DateBox;

// Asks what the staff schedule is made for: its date, the form's details for this issue, the institution's
// requisites and the file's format. Refuses to close with OK on choices that cannot make a report.
class ReportDialog : public QDialog
{
    Q_OBJECT

public:
    ReportDialog(const ReportChoices& choices, const FormRequisites& requisites, QWidget* parent = nullptr);

    ReportChoices choices() const;
    FormRequisites requisites() const;

    void accept() override;

private:
    QWidget* detailsGroup(const FormDetails& details);
    QWidget* requisitesGroup(const FormRequisites& requisites);

    DateBox* m_asOf;
    QComboBox* m_format;
    QLineEdit* m_documentNumber;
    DateBox* m_compiledOn;
    DateBox* m_periodFrom;
    DateBox* m_periodTo;
    DateBox* m_approvedOn;
    QLineEdit* m_approvalOrder;
    QLineEdit* m_okpo;
    QLineEdit* m_hrHeadPosition;
    QLineEdit* m_hrHeadName;
    QLineEdit* m_chiefAccountantName;
};

} // namespace zeb
