#include "TForm4.h"

#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DrawnIcons.h"
#include "ErrorDisplayApplication.h"
#include "PlaceholderSave.h"
#include "ReferenceDialog.h"
#include "SharedLists.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

namespace zeb {

TForm4* Form4 = nullptr;

TForm4::TForm4(TDM_shtat& dataModule, const DBLookupComboBox& divisionSelector,
               const DBLookupComboBox& facultySelector, QAction& refresh, QWidget* parent)
    : QDialog(parent, referenceDialogFlags), m_dataModule(dataModule), m_divisionSelector(divisionSelector),
      m_facultySelector(facultySelector), m_refresh(refresh)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Добавить отдел"));
    setFont(dialogFont());
    setFixedSize(391, 89);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());

    auto* panel = new QFrame(this);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    Panel1 = named(panel, QStringLiteral("Panel1"));
    Panel1->setGeometry(2, 2, 385, 44);
    DBLookupComboBox1 = named(new DBLookupComboBox(DBLookupComboBox::Style::Plain, Panel1),
                              QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox1->setGeometry(8, 11, 369, 21);
    DBLookupComboBox1->setListSource(&m_dataModule.DS_Otdel_1, QStringLiteral("id_Otdel_1"),
                                     QStringLiteral("Otdel_1"));

    BitBtn1 =
        named(new QPushButton(checkMark(), QStringLiteral("Cохранить"), this), QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(291, 56, 96, 25);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &TForm4::BitBtn1Click);
    BitBtn2 = named(new QPushButton(cross(), QStringLiteral("Отменить"), this), QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(190, 56, 96, 25);
    BitBtn2->setAutoDefault(false);
    connect(BitBtn2, &QPushButton::clicked, this, &TForm4::reject);

    createChoice();
}

// Beyond the right edge of the client area and hidden besides: the caller checks the place.
void TForm4::createChoice()
{
    PageControl1 = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    PageControl1->setGeometry(394, -2, 399, 67);
    auto* page = named(new QWidget, QStringLiteral("TabSheet1"));
    PageControl1->addTab(page, QStringLiteral("TabSheet1"));
    GroupBox1 = named(new QGroupBox(page), QStringLiteral("GroupBox1"));
    GroupBox1->setGeometry(8, 29, 369, 12);
    GroupBox1->hide();
    RBtn_1_1 = named(new QRadioButton(QStringLiteral("Добавить в подуровень"), GroupBox1),
                     QStringLiteral("RBtn_1_1"));
    RBtn_1_1->move(8, 16);
    RBtn_1_1->setChecked(true);
    RBtn_2_2 = named(new QRadioButton(QStringLiteral("Добавить в отдел второго уровня"), GroupBox1),
                     QStringLiteral("RBtn_2_2"));
    RBtn_2_2->move(8, 54);
    RBtn_1 = named(new QRadioButton(QStringLiteral("Добавить отдел первого уровня"), GroupBox1),
                   QStringLiteral("RBtn_1"));
    RBtn_1->move(8, 36);
}

unit::DivisionPlace TForm4::checkedPlace() const
{
    if (RBtn_1_1->isChecked())
        return unit::DivisionPlace::SubLevel;
    if (RBtn_2_2->isChecked())
        return unit::DivisionPlace::LevelTwo;
    return unit::DivisionPlace::FirstLevel;
}

// A failed insert is reported and the dialog stays open for another choice or a cancel.
void TForm4::BitBtn1Click()
{
    const unit::DivisionPlace place = checkedPlace();
    const QVariant parentUnit =
        place == unit::DivisionPlace::SubLevel ? m_divisionSelector.keyValue() : m_facultySelector.keyValue();
    if (!unit::savePlaceholderLine(*this, *DBLookupComboBox1, m_dataModule.ADOQ_Insert_id_Otdel_11, [&] {
            return unit::divisionLine(place, DBLookupComboBox1->keyValue(), parentUnit);
        }))
        return;
    m_refresh.trigger();
    accept();
}

void TForm4::reject()
{
    Dataset& divisions = m_dataModule.ADOQ_Otdel_1;
    if (divisions.state() == Dataset::State::Edit || divisions.state() == Dataset::State::Insert)
        divisions.cancel();
    QDialog::reject();
}

void TForm4::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TForm4::FormClose()
{
    guarded([this] { restoreSharedLists(m_dataModule, m_facultySelector.keyValue()); })();
}

} // namespace zeb
