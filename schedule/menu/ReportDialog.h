#pragma once

#include "report/FormRequisites.h"
#include "report/ReportChoices.h"

#include <QDialog>

class QComboBox;
class QDialogButtonBox;
class QLineEdit;

namespace zeb {

class DateBox;

// Asks which report is made (the staff schedule, the vacancies or the changes over a period) and for what:
// its date or the period of the changes, the form's details for this issue and the institution's requisites
// (the staff schedule's only), and the file's format. Refuses to close with OK on choices that cannot make a
// report.
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
    // Made after the groups, so that the keyboard reaches the buttons last.
    QDialogButtonBox* buttonBox();

    // The form's details and requisites belong to the staff schedule only, the period to the changes.
    void showKindsGroups();

    QComboBox* m_kind;
    QWidget* m_details;
    QWidget* m_requisites;
    DateBox* m_asOf;
    DateBox* m_changesFrom;
    DateBox* m_changesTo;
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
