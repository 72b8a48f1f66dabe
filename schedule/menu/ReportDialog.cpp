#include "schedule/menu/ReportDialog.h"

#include "controls/DateBox.h"
#include "dialogs/ReferenceDialog.h"
#include "platform/seam/Platform.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace zeb {

namespace {

const auto caption = QStringLiteral("Штатное расписание");

QLineEdit* textEdit(const QString& name, const QString& text, int maxLength, QWidget* parent)
{
    auto* edit = named(new QLineEdit(text, parent), name);
    edit->setMaxLength(maxLength);
    return edit;
}

// The date, or the compilation date where none was given: a date box always holds one.
DateBox* dateBox(const QString& name, const QDate& date, const QDate& otherwise, QWidget* parent)
{
    return named(new DateBox(date.isValid() ? date : otherwise, parent), name);
}

} // namespace

ReportDialog::ReportDialog(const ReportChoices& choices, const FormRequisites& requisites, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("ReportDialog"));
    setWindowTitle(caption);
    setMinimumWidth(460);

    // Made in the order they stand, which is the order the keyboard goes through them.
    m_kind = named(new QComboBox(this), QStringLiteral("ReportKindBox"));
    m_kind->addItem(QStringLiteral("Штатное расписание"), int(ReportKind::Schedule));
    m_kind->addItem(QStringLiteral("Вакансии на дату"), int(ReportKind::Vacancies));
    m_kind->addItem(QStringLiteral("Изменения за период"), int(ReportKind::Changes));
    m_kind->setCurrentIndex(qMax(0, m_kind->findData(int(choices.kind))));

    m_asOf = dateBox(QStringLiteral("DateEdit"), choices.asOf, choices.asOf, this);
    m_changesFrom = dateBox(QStringLiteral("ChangesFromEdit"), choices.changesFrom, choices.asOf, this);
    auto* changesTo = new QLabel(QStringLiteral("по"), this);
    m_changesTo = dateBox(QStringLiteral("ChangesToEdit"), choices.changesTo, choices.asOf, this);
    auto* changesPeriod = new QHBoxLayout;
    changesPeriod->addWidget(m_changesFrom);
    changesPeriod->addWidget(changesTo);
    changesPeriod->addWidget(m_changesTo);

    m_format = named(new QComboBox(this), QStringLiteral("FormatBox"));
    m_format->addItem(QStringLiteral("Документ PDF"), QStringLiteral("pdf"));
    m_format->addItem(QStringLiteral("Книга Excel (xlsx)"), QStringLiteral("xlsx"));
    m_format->addItem(QStringLiteral("Страница HTML"), QStringLiteral("html"));
    m_format->setCurrentIndex(qMax(0, m_format->findData(choices.extension)));

    auto* top = new QFormLayout;
    top->addRow(QStringLiteral("Отчёт:"), m_kind);
    top->addRow(QStringLiteral("По состоянию на:"), m_asOf);
    top->addRow(QStringLiteral("Изменения с:"), changesPeriod);
    top->addRow(QStringLiteral("Формат файла:"), m_format);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    m_details = detailsGroup(choices.details);
    m_requisites = requisitesGroup(requisites);
    layout->addWidget(m_details);
    layout->addWidget(m_requisites);
    layout->addWidget(buttonBox());
    showKindsGroups();
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ReportDialog::showKindsGroups);
}

QDialogButtonBox* ReportDialog::buttonBox()
{
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* build = buttons->addButton(QStringLiteral("Сформировать"), QDialogButtonBox::AcceptRole);
    build->setObjectName(QStringLiteral("BuildButton"));
    build->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Отмена"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelButton"));
    cancel->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &ReportDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return buttons;
}

void ReportDialog::showKindsGroups()
{
    const auto kind = ReportKind(m_kind->currentData().toInt());
    m_details->setEnabled(kind == ReportKind::Schedule);
    m_requisites->setEnabled(kind == ReportKind::Schedule);
    m_asOf->setEnabled(kind != ReportKind::Changes);
    m_changesFrom->setEnabled(kind == ReportKind::Changes);
    m_changesTo->setEnabled(kind == ReportKind::Changes);
}

QWidget* ReportDialog::detailsGroup(const FormDetails& details)
{
    auto* group = new QGroupBox(QStringLiteral("Документ"), this);
    const QDate compiled = details.compiledOn.isValid() ? details.compiledOn : m_asOf->date();
    m_documentNumber = textEdit(QStringLiteral("DocumentNumberEdit"), details.documentNumber, 30, group);
    m_compiledOn = dateBox(QStringLiteral("CompiledOnEdit"), compiled, compiled, group);
    m_periodFrom = dateBox(QStringLiteral("PeriodFromEdit"), details.periodFrom, compiled, group);
    m_periodTo = dateBox(QStringLiteral("PeriodToEdit"), details.periodTo, compiled, group);
    m_approvedOn = dateBox(QStringLiteral("ApprovedOnEdit"), details.approvedOn, compiled, group);
    m_approvalOrder = textEdit(QStringLiteral("ApprovalOrderEdit"), details.approvalOrder, 30, group);

    auto* period = new QHBoxLayout;
    period->addWidget(m_periodFrom);
    period->addWidget(new QLabel(QStringLiteral("по"), group));
    period->addWidget(m_periodTo);
    auto* approval = new QHBoxLayout;
    approval->addWidget(m_approvedOn);
    approval->addWidget(new QLabel(QStringLiteral("№"), group));
    approval->addWidget(m_approvalOrder);

    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Номер документа:"), m_documentNumber);
    form->addRow(QStringLiteral("Дата составления:"), m_compiledOn);
    form->addRow(QStringLiteral("На период с:"), period);
    form->addRow(QStringLiteral("Утверждено приказом от:"), approval);
    return group;
}

QWidget* ReportDialog::requisitesGroup(const FormRequisites& requisites)
{
    auto* group = new QGroupBox(QStringLiteral("Реквизиты организации (хранятся в базе данных)"), this);
    m_okpo = textEdit(QStringLiteral("OkpoEdit"), requisites.okpo, 14, group);
    // ОКПО is 8 digits for an organisation, 10 or 14 for its branches and individuals.
    m_okpo->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,14}")), m_okpo));
    m_hrHeadPosition = textEdit(QStringLiteral("HrHeadPositionEdit"), requisites.hrHeadPosition, 150, group);
    m_hrHeadName = textEdit(QStringLiteral("HrHeadNameEdit"), requisites.hrHeadName, 100, group);
    m_chiefAccountantName =
        textEdit(QStringLiteral("ChiefAccountantEdit"), requisites.chiefAccountantName, 100, group);

    auto* form = new QFormLayout(group);
    form->addRow(QStringLiteral("Код по ОКПО:"), m_okpo);
    form->addRow(QStringLiteral("Руководитель кадровой службы, должность:"), m_hrHeadPosition);
    form->addRow(QStringLiteral("Руководитель кадровой службы, ФИО:"), m_hrHeadName);
    form->addRow(QStringLiteral("Главный бухгалтер, ФИО:"), m_chiefAccountantName);
    return group;
}

ReportChoices ReportDialog::choices() const
{
    ReportChoices choices;
    choices.kind = ReportKind(m_kind->currentData().toInt());
    choices.asOf = m_asOf->date();
    choices.extension = m_format->currentData().toString();
    choices.changesFrom = m_changesFrom->date();
    choices.changesTo = m_changesTo->date();
    FormDetails& details = choices.details;
    details.documentNumber = m_documentNumber->text().trimmed();
    details.compiledOn = m_compiledOn->date();
    details.periodFrom = m_periodFrom->date();
    details.periodTo = m_periodTo->date();
    details.approvedOn = m_approvedOn->date();
    details.approvalOrder = m_approvalOrder->text().trimmed();
    return choices;
}

FormRequisites ReportDialog::requisites() const
{
    FormRequisites requisites;
    requisites.okpo = m_okpo->text().trimmed();
    requisites.hrHeadPosition = m_hrHeadPosition->text().trimmed();
    requisites.hrHeadName = m_hrHeadName->text().trimmed();
    requisites.chiefAccountantName = m_chiefAccountantName->text().trimmed();
    return requisites;
}

void ReportDialog::accept()
{
    const QString fault = reportChoicesFault(choices());
    if (fault.isEmpty()) {
        QDialog::accept();
        return;
    }
    Platform::instance().messageBox(this, fault, caption, MessageButtons::Ok, MessageIcon::Warning);
}

} // namespace zeb
