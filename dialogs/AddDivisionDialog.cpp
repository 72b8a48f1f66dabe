#include "dialogs/AddDivisionDialog.h"

#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "controls/DrawnIcons.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "dialogs/unit/PlaceholderSave.h"
#include "dialogs/ReferenceDialog.h"
#include "dialogs/SharedLists.h"

#include <QAction>
#include <QFrame>
#include <QGroupBox>
#include <QGuiApplication>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>

namespace zeb {

AddDivisionDialog::AddDivisionDialog(DataModule& dataModule, const DBLookupComboBox& divisionSelector,
                                     const DBLookupComboBox& facultySelector, QAction& refresh,
                                     QWidget* parent)
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
    m_panel = named(panel, QStringLiteral("Panel1"));
    m_panel->setGeometry(2, 2, 385, 44);
    m_divisionBox = named(new DBLookupComboBox(DBLookupComboBox::Style::Plain, m_panel),
                          QStringLiteral("DBLookupComboBox1"));
    m_divisionBox->setGeometry(8, 11, 369, 21);
    m_divisionBox->setListSource(&m_dataModule.divisionsSource, QStringLiteral("id_Otdel_1"),
                                 QStringLiteral("Otdel_1"));

    m_addButton =
        named(new QPushButton(checkMark(), QStringLiteral("Cохранить"), this), QStringLiteral("BitBtn1"));
    m_addButton->setGeometry(291, 56, 96, 25);
    m_addButton->setDefault(true);
    connect(m_addButton, &QPushButton::clicked, this, &AddDivisionDialog::addDivision);
    m_closeButton =
        named(new QPushButton(cross(), QStringLiteral("Отменить"), this), QStringLiteral("BitBtn2"));
    m_closeButton->setGeometry(190, 56, 96, 25);
    m_closeButton->setAutoDefault(false);
    connect(m_closeButton, &QPushButton::clicked, this, &AddDivisionDialog::reject);

    createChoice();
}

// Beyond the right edge of the client area and hidden besides: the caller checks the place.
void AddDivisionDialog::createChoice()
{
    m_pages = named(new QTabWidget(this), QStringLiteral("PageControl1"));
    m_pages->setGeometry(394, -2, 399, 67);
    auto* page = named(new QWidget, QStringLiteral("TabSheet1"));
    m_pages->addTab(page, QStringLiteral("TabSheet1"));
    m_placeGroup = named(new QGroupBox(page), QStringLiteral("GroupBox1"));
    m_placeGroup->setGeometry(8, 29, 369, 12);
    m_placeGroup->hide();
    m_subLevelPlace = named(new QRadioButton(QStringLiteral("Добавить в подуровень"), m_placeGroup),
                            QStringLiteral("RBtn_1_1"));
    m_subLevelPlace->move(8, 16);
    m_subLevelPlace->setChecked(true);
    m_levelTwoPlace = named(new QRadioButton(QStringLiteral("Добавить в отдел второго уровня"), m_placeGroup),
                            QStringLiteral("RBtn_2_2"));
    m_levelTwoPlace->move(8, 54);
    m_firstLevelPlace = named(new QRadioButton(QStringLiteral("Добавить отдел первого уровня"), m_placeGroup),
                              QStringLiteral("RBtn_1"));
    m_firstLevelPlace->move(8, 36);
}

void AddDivisionDialog::choosePlace(unit::DivisionPlace place, const QList<unit::DivisionPlace>& unavailable)
{
    for (const unit::DivisionPlace off : unavailable)
        placeButton(off)->setEnabled(false);
    m_pages->setCurrentIndex(0);
    placeButton(place)->setChecked(true);
}

QRadioButton* AddDivisionDialog::placeButton(unit::DivisionPlace place) const
{
    switch (place) {
    case unit::DivisionPlace::SubLevel:
        return m_subLevelPlace;
    case unit::DivisionPlace::LevelTwo:
        return m_levelTwoPlace;
    case unit::DivisionPlace::FirstLevel:
        break;
    }
    return m_firstLevelPlace;
}

unit::DivisionPlace AddDivisionDialog::checkedPlace() const
{
    if (m_subLevelPlace->isChecked())
        return unit::DivisionPlace::SubLevel;
    if (m_levelTwoPlace->isChecked())
        return unit::DivisionPlace::LevelTwo;
    return unit::DivisionPlace::FirstLevel;
}

// A failed insert is reported and the dialog stays open for another choice or a cancel.
void AddDivisionDialog::addDivision()
{
    const unit::DivisionPlace place = checkedPlace();
    const QVariant parentUnit =
        place == unit::DivisionPlace::SubLevel ? m_divisionSelector.keyValue() : m_facultySelector.keyValue();
    if (!unit::savePlaceholderLine(*this, *m_divisionBox, m_dataModule.newSubLevelKey, [&] {
            return unit::divisionLine(place, m_divisionBox->keyValue(), parentUnit);
        }))
        return;
    m_refresh.trigger();
    accept();
}

void AddDivisionDialog::reject()
{
    Dataset& divisions = m_dataModule.divisions;
    if (divisions.state() == Dataset::State::Edit || divisions.state() == Dataset::State::Insert)
        divisions.cancel();
    QDialog::reject();
}

void AddDivisionDialog::done(int result)
{
    restoreDivisionList();
    QDialog::done(result);
}

void AddDivisionDialog::restoreDivisionList()
{
    guarded([this] { restoreSharedLists(m_dataModule, m_facultySelector.keyValue()); })();
}

} // namespace zeb
