#include "TForm6.h"

#include "DBLookupListBox.h"
#include "DataModule.h"
#include "DepartmentRemoval.h"
#include "DepartmentStatements.h"
#include "ErrorDisplayApplication.h"
#include "Field.h"
#include "Platform.h"
#include "ReferenceDialog.h"
#include "ScreenPlace.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace zeb {

namespace {

const QString noticeCaption = QStringLiteral("Уведомление");

} // namespace

TForm6::TForm6(TDM_shtat& dataModule, SessionIdentity identity, QWidget* parent)
    : QDialog(parent, referenceDialogFlags), m_dataModule(dataModule), m_identity(std::move(identity))
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("Удаление кафедры"));
    setFont(dialogFont());
    setFixedSize(491, 334);
    move(628, 249);
    createControls();
    FormCreate();
}

void TForm6::createControls()
{
    Label1 = named(new QLabel(QStringLiteral("Кафедра"), this), QStringLiteral("Label1"));
    Label1->move(6, 8);
    Label1->adjustSize();

    // Binding puts the departments on their first row and takes its name as the chosen item.
    DBLookupListBox1 = named(new DBLookupListBox(this), QStringLiteral("DBLookupListBox1"));
    DBLookupListBox1->setGeometry(6, 24, 193, 303);
    // Departments often differ only at the end of a long name: each line is as wide as its name, the list
    // scrolls sideways, and a line's tool tip shows its name whole.
    DBLookupListBox1->setUniformItemSizes(false);
    DBLookupListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    DBLookupListBox1->setHorizontalScrollMode(QAbstractItemView::ScrollPerPixel);
    DBLookupListBox1->setTextElideMode(Qt::ElideNone);
    DBLookupListBox1->setKeyField(QStringLiteral("id_kafedra"));
    DBLookupListBox1->setListField(QStringLiteral("f1"));
    DBLookupListBox1->setListSource(&m_dataModule.DS_Kafedra);
    DBLookupListBox1->onDblClick = [this] { DBLookupListBox1DblClick(); };

    GroupBox2 = named(new QGroupBox(QStringLiteral("Запись"), this), QStringLiteral("GroupBox2"));
    GroupBox2->setGeometry(205, 19, 281, 105);
    Label2 = named(new QLabel(GroupBox2), QStringLiteral("Label2"));
    Label2->setGeometry(24, 40, 249, 16);
    Button3 = named(new QPushButton(QStringLiteral("Удалить"), GroupBox2), QStringLiteral("Button3"));
    Button3->setGeometry(192, 64, 75, 25);
    Button3->setAutoDefault(false);
    connect(Button3, &QPushButton::clicked, this, &TForm6::Button3Click);

    Button2 = named(new QPushButton(QStringLiteral("Копировать"), this), QStringLiteral("Button2"));
    Button2->setGeometry(398, 134, 75, 25);
    Button2->setAutoDefault(false);
    connect(Button2, &QPushButton::clicked, this, &TForm6::Button2Click);

    GroupBox1 =
        named(new QGroupBox(QStringLiteral("Копировать на запись"), this), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(205, 164, 281, 64);
    Edit1 = named(new QLineEdit(GroupBox1), QStringLiteral("Edit1"));
    Edit1->setGeometry(24, 24, 233, 21);
}

void TForm6::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    keepOnScreen(*this);
}

// The copy button waits for a chosen target, so a copy onto no department can never be sent.
void TForm6::FormCreate()
{
    ShowCurrentKafedra();
    Edit1Change();
}

void TForm6::ShowCurrentKafedra()
{
    Dataset& departments = m_dataModule.ADOQ_Kafedra;
    if (departments.isEmpty())
        return;
    const QString name = departments.fieldByName(QStringLiteral("f1"))->asString();
    Label2->setText(name);
    // A long name is cut at the group's edge.
    Label2->setToolTip(name);
    m_sourceId = currentId();
}

void TForm6::setRecordGroupCaption(const QString& caption)
{
    GroupBox2->setTitle(caption);
}

qint64 TForm6::currentId() const
{
    return m_dataModule.ADOQ_Kafedra.fieldByName(QStringLiteral("id_kafedra"))->asInteger();
}

void TForm6::DBLookupListBox1DblClick()
{
    const Dataset& departments = m_dataModule.ADOQ_Kafedra;
    GroupBox1->setTitle(QStringLiteral("Копировать на запись - ") + QString::number(currentId()));
    Edit1->setText(departments.fieldByName(QStringLiteral("f1"))->asString());
    m_targetId = currentId();
    Edit1Change();
}

void TForm6::Edit1Change()
{
    Button2->setEnabled(!Edit1->text().isEmpty() && m_targetId > 0);
}

void TForm6::Button2Click()
{
    Platform& platform = Platform::instance();
    if (currentId() == m_targetId) {
        platform.messageBox(this, QStringLiteral("Вы не можете копировать одну и ту же кафедру на себя."),
                            noticeCaption, MessageButtons::Ok, MessageIcon::Error);
        return;
    }
    const QString sourceName = m_dataModule.ADOQ_Kafedra.fieldByName(QStringLiteral("f1"))->asString();
    if (platform.messageBox(this, department::copyConfirmation(sourceName, Edit1->text()), noticeCaption,
                            MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return;
    try {
        Dataset& exec = m_dataModule.ADOQ_Exec;
        exec.setSql(department::copyStatement(m_sourceId, m_targetId, m_identity.login,
                                              m_identity.computerName, m_identity.ip()));
        exec.execSql();
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return;
    }
    platform.messageBox(this, QStringLiteral("Данные скопированы."), noticeCaption, MessageButtons::Ok,
                        MessageIcon::Information);
    ShowCurrentKafedra();
}

void TForm6::Button3Click()
{
    Platform& platform = Platform::instance();
    if (platform.messageBox(this, department::removalConfirmation(DBLookupListBox1->selectedItem()),
                            noticeCaption, MessageButtons::YesNo,
                            MessageIcon::Question) != MessageAnswer::Yes)
        return;
    Dataset& departments = m_dataModule.ADOQ_Kafedra;
    try {
        const QString id = departments.fieldByName(QStringLiteral("id_kafedra"))->asString();
        department::removeDepartment(
            m_dataModule.ADOQ_Exec, id,
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
