#pragma once

#include "dialogs/unit/PlaceholderLines.h"

#include <QDialog>

class QAction;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace zeb {

class DBLookupComboBox;
class DataModule;

// Brings a division into the schedule at the place the caller chose (first level, a sub-level of the
// main window's division, a level-2 division of its faculty) by inserting its placeholder line. The
// choice buttons stay out of sight: the place is the caller's.
class AddDivisionDialog : public QDialog
{
    Q_OBJECT

public:
    // The main window's first-level division and faculty selectors give the parent of the new unit; its
    // refresh command reloads its lists after the insert.
    AddDivisionDialog(DataModule& dataModule, const DBLookupComboBox& divisionSelector,
                      const DBLookupComboBox& facultySelector, QAction& refresh, QWidget* parent = nullptr);

    // Checks `place` and switches off the places in `unavailable`; shows the first page of the choice.
    void choosePlace(unit::DivisionPlace place, const QList<unit::DivisionPlace>& unavailable);

    void done(int result) override;
    void reject() override;

private:
    void createChoice();
    void addDivision();
    void restoreDivisionList();
    unit::DivisionPlace checkedPlace() const;
    QRadioButton* placeButton(unit::DivisionPlace place) const;

    QWidget* m_panel;
    DBLookupComboBox* m_divisionBox;
    QPushButton* m_addButton;
    QPushButton* m_closeButton;
    QTabWidget* m_pages;
    QGroupBox* m_placeGroup;
    QRadioButton* m_subLevelPlace;
    QRadioButton* m_levelTwoPlace;
    QRadioButton* m_firstLevelPlace;

    DataModule& m_dataModule;
    const DBLookupComboBox& m_divisionSelector;
    const DBLookupComboBox& m_facultySelector;
    QAction& m_refresh;
};

} // namespace zeb
