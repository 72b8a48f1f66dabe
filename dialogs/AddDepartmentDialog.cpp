#include "dialogs/AddDepartmentDialog.h"

#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "controls/DrawnIcons.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "dialogs/unit/PlaceholderLines.h"
#include "dialogs/unit/PlaceholderSave.h"
#include "dialogs/ReferenceDialog.h"
#include "dialogs/SharedLists.h"

#include <QAction>
#include <QPushButton>

namespace zeb {

AddDepartmentDialog::AddDepartmentDialog(DataModule& dataModule, const DBLookupComboBox& facultySelector,
                                         QAction& refresh, QWidget* parent)
    : QDialog(parent), m_dataModule(dataModule), m_facultySelector(facultySelector), m_refresh(refresh)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Добавить кафедру"));
    setFont(dialogFont());
    // 413 × 123 with the frame and title bar of a sizeable window.
    resize(405, 96);
    move(370, 362);

    m_departmentBox = new DBLookupComboBox(DBLookupComboBox::Style::Plain, this);
    m_departmentBox->setObjectName(QStringLiteral("DBLookupComboBox1"));
    m_departmentBox->setGeometry(8, 8, 369, 21);
    m_departmentBox->setListSource(&m_dataModule.departmentsSource, QStringLiteral("id_kafedra"),
                                   QStringLiteral("f1"));

    // Neither button is the default: Enter in the list does not save.
    m_addButton = new QPushButton(QStringLiteral("Сохранить"), this);
    m_addButton->setObjectName(QStringLiteral("Button1"));
    m_addButton->setGeometry(301, 40, 75, 25);
    m_addButton->setAutoDefault(false);
    connect(m_addButton, &QPushButton::clicked, this, &AddDepartmentDialog::addDepartment);
    m_closeButton = new QPushButton(cross(), QStringLiteral("Cancel"), this);
    m_closeButton->setObjectName(QStringLiteral("BitBtn1"));
    m_closeButton->setGeometry(221, 40, 75, 25);
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &AddDepartmentDialog::reject);
}

void AddDepartmentDialog::addDepartment()
{
    if (!unit::savePlaceholderLine(*this, *m_departmentBox, m_dataModule.newSubLevelKey, [this] {
            return unit::departmentLine(m_departmentBox->keyValue(), m_facultySelector.keyValue());
        }))
        return;
    m_refresh.trigger();
    accept();
}

void AddDepartmentDialog::done(int result)
{
    restoreDepartmentList();
    QDialog::done(result);
}

void AddDepartmentDialog::restoreDepartmentList()
{
    guarded([this] { restoreFacultyDepartments(m_dataModule, m_facultySelector.keyValue()); })();
}

} // namespace zeb
