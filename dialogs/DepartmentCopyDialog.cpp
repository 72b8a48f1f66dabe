#include "dialogs/DepartmentCopyDialog.h"

#include "controls/DBLookupListBox.h"
#include "data/module/DataModule.h"
#include "dialogs/department/DepartmentRemoval.h"
#include "dialogs/department/DepartmentStatements.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "data/dataset/Field.h"
#include "platform/seam/Platform.h"
#include "dialogs/ReferenceDialog.h"
#include "dialogs/ScreenPlace.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zeb {

namespace {

const QString noticeCaption = QStringLiteral("Уведомление");

} // namespace

DepartmentCopyDialog::DepartmentCopyDialog(DataModule& dataModule, SessionIdentity identity, QWidget* parent)
    : QDialog(parent, referenceDialogFlags), m_dataModule(dataModule), m_identity(std::move(identity))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Удаление кафедры"));
    setFont(dialogFont());
    setFixedSize(491, 334);
    move(628, 249);
    createControls();
    takeCurrentDepartment();
    // While the dialog exists it follows the departments list wherever the row moves.
    m_previousAfterScroll = std::exchange(m_dataModule.departments.afterScroll,
                                          [this](Dataset& departments) { followDepartment(departments); });
}

DepartmentCopyDialog::~DepartmentCopyDialog()
{
    m_dataModule.departments.afterScroll = std::move(m_previousAfterScroll);
}

void DepartmentCopyDialog::followDepartment(const Dataset& departments)
{
    showCurrentDepartment();
    const qint64 id = departments.fieldByName(QStringLiteral("id_kafedra"))->asInteger();
    m_sourceGroup->setTitle(QStringLiteral("Запись - ") + QString::number(id));
}

void DepartmentCopyDialog::createControls()
{
    m_listTitle = named(new QLabel(QStringLiteral("Кафедра"), this), QStringLiteral("Label1"));
    m_listTitle->move(6, 8);
    m_listTitle->adjustSize();

    // Binding puts the departments on their first row and takes its name as the chosen item.
    m_departmentList = named(new DBLookupListBox(this), QStringLiteral("DBLookupListBox1"));
    m_departmentList->setGeometry(6, 24, 193, 303);
    // Departments often differ only at the end of a long name: each line is as wide as its name, the list
    // scrolls sideways, and a line's tool tip shows its name whole.
    m_departmentList->setUniformItemSizes(false);
    m_departmentList->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_departmentList->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    m_departmentList->setTextElideMode(Qt::ElideNone);
    m_departmentList->setKeyField(QStringLiteral("id_kafedra"));
    m_departmentList->setListField(QStringLiteral("f1"));
    m_departmentList->setListSource(&m_dataModule.departmentsSource);
    m_departmentList->onDblClick = [this] { takeTarget(); };

    m_sourceGroup = named(new QGroupBox(QStringLiteral("Запись"), this), QStringLiteral("GroupBox2"));
    m_sourceGroup->setGeometry(205, 19, 281, 105);
    m_sourceName = named(new QLabel(m_sourceGroup), QStringLiteral("Label2"));
    m_sourceName->setGeometry(24, 40, 249, 16);
    m_removeButton =
        named(new QPushButton(QStringLiteral("Удалить"), m_sourceGroup), QStringLiteral("Button3"));
    m_removeButton->setGeometry(192, 64, 75, 25);
    m_removeButton->setAutoDefault(false);
    connect(m_removeButton, &QPushButton::clicked, this, &DepartmentCopyDialog::removeDepartments);

    m_copyButton = named(new QPushButton(QStringLiteral("Копировать"), this), QStringLiteral("Button2"));
    m_copyButton->setGeometry(398, 134, 75, 25);
    m_copyButton->setAutoDefault(false);
    connect(m_copyButton, &QPushButton::clicked, this, &DepartmentCopyDialog::copySchedule);

    m_targetGroup =
        named(new QGroupBox(QStringLiteral("Копировать на запись"), this), QStringLiteral("GroupBox1"));
    m_targetGroup->setGeometry(205, 164, 281, 64);
    m_targetEdit = named(new QLineEdit(m_targetGroup), QStringLiteral("Edit1"));
    m_targetEdit->setGeometry(24, 24, 233, 21);
}

void DepartmentCopyDialog::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(*this);
}

// The copy button waits for a chosen target, so a copy onto no department can never be sent.
void DepartmentCopyDialog::takeCurrentDepartment()
{
    showCurrentDepartment();
    updateCopyButton();
}

void DepartmentCopyDialog::showCurrentDepartment()
{
    Dataset& departments = m_dataModule.departments;
    if (departments.isEmpty())
        return;
    const QString name = departments.fieldByName(QStringLiteral("f1"))->asString();
    m_sourceName->setText(name);
    // A long name is cut at the group's edge.
    m_sourceName->setToolTip(name);
    m_sourceId = currentId();
}

qint64 DepartmentCopyDialog::currentId() const
{
    return m_dataModule.departments.fieldByName(QStringLiteral("id_kafedra"))->asInteger();
}

void DepartmentCopyDialog::takeTarget()
{
    const Dataset& departments = m_dataModule.departments;
    m_targetGroup->setTitle(QStringLiteral("Копировать на запись - ") + QString::number(currentId()));
    m_targetEdit->setText(departments.fieldByName(QStringLiteral("f1"))->asString());
    m_targetId = currentId();
    updateCopyButton();
}

void DepartmentCopyDialog::updateCopyButton()
{
    m_copyButton->setEnabled(!m_targetEdit->text().isEmpty() && m_targetId > 0);
}

void DepartmentCopyDialog::copySchedule()
{
    Platform& platform = Platform::instance();
    if (currentId() == m_targetId) {
        platform.messageBox(this, QStringLiteral("Вы не можете копировать одну и ту же кафедру на себя."),
                            noticeCaption, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    const QString sourceName = m_dataModule.departments.fieldByName(QStringLiteral("f1"))->asString();
    if (platform.messageBox(this, department::copyConfirmation(sourceName, m_targetEdit->text()),
                            noticeCaption, MessageButtons::YesNo,
                            MessageIcon::Question) != MessageAnswer::Yes)
        return;
    try {
        Dataset& exec = m_dataModule.commands;
        exec.setSql(department::copyStatement(m_sourceId, m_targetId, m_identity.login,
                                              m_identity.computerName, m_identity.ip()));
        exec.execSql();
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return;
    }
    platform.messageBox(this, QStringLiteral("Данные скопированы."), noticeCaption, MessageButtons::Ok,
                        MessageIcon::Information);
    showCurrentDepartment();
}

void DepartmentCopyDialog::removeDepartments()
{
    Platform& platform = Platform::instance();
    if (platform.messageBox(this, department::removalConfirmation(m_departmentList->selectedItem()),
                            noticeCaption, MessageButtons::YesNo,
                            MessageIcon::Question) != MessageAnswer::Yes)
        return;
    Dataset& departments = m_dataModule.departments;
    try {
        const QString id = departments.fieldByName(QStringLiteral("id_kafedra"))->asString();
        department::removeDepartment(
            m_dataModule.commands, id,
            department::removalLogStatement(id, m_identity.login, m_identity.computerName, m_identity.ip()));
    } catch (const std::exception& error) {
        platform.messageBox(this, department::removalFailure(errorMessage(error)), QStringLiteral("Ошибка"),
                            MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    if (!departments.isActive())
        return;
    guarded([&departments] {
        departments.close();
        departments.open();
    })();
}

} // namespace zeb
