#include "TForm5.h"

#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DrawnIcons.h"
#include "ErrorDisplayApplication.h"
#include "PlaceholderLines.h"
#include "PlaceholderSave.h"
#include "ReferenceDialog.h"
#include "SharedLists.h"

#include <QAction>
#include <QPushButton>

namespace zeb {

TForm5* Form5 = nullptr;

TForm5::TForm5(TDM_shtat& dataModule, const DBLookupComboBox& facultySelector, QAction& refresh,
               QWidget* parent)
    : QDialog(parent), m_dataModule(dataModule), m_facultySelector(facultySelector), m_refresh(refresh)
{
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("Добавить кафедру"));
    setFont(dialogFont());
    // 413 × 123 with the frame and title bar of a sizeable window.
    resize(405, 96);
    move(370, 362);

    DBLookupComboBox1 = new DBLookupComboBox(DBLookupComboBox::Style::Plain, this);
    DBLookupComboBox1->setObjectName(QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setGeometry(8, 8, 369, 21);
    DBLookupComboBox1->setListSource(&m_dataModule.DS_Kafedra, QStringLiteral("id_kafedra"),
                                     QStringLiteral("f1"));

    // Neither button is the default: Enter in the list does not save.
    Button1 = new QPushButton(QStringLiteral("Сохранить"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(301, 40, 75, 25);
    Button1->setAutoDefault(false);
    connect(Button1, &QPushButton::clicked, this, &TForm5::Button1Click);
    BitBtn1 = new QPushButton(cross(), QStringLiteral("Cancel"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(221, 40, 75, 25);
    BitBtn1->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm5::reject);
}

void TForm5::Button1Click()
{
    if (!unit::savePlaceholderLine(*this, *DBLookupComboBox1, m_dataModule.ADOQ_Insert_id_Otdel_11, [this] {
            return unit::departmentLine(DBLookupComboBox1->keyValue(), m_facultySelector.keyValue());
        }))
        return;
    m_refresh.trigger();
    accept();
}

void TForm5::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm5::FormClose()
{
    guarded([this] { restoreFacultyDepartments(m_dataModule, m_facultySelector.keyValue()); })();
}

} // namespace zeb
