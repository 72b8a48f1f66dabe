#pragma once

#include "PlaceholderLines.h"

#include <QDialog>

class QAction;
class QGroupBox;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QWidget;

namespace zeb {

class DBLookupComboBox;
class TDM_shtat;

// Brings a division into the schedule at the place the caller chose (first level, a sub-level of the
// main window's division, a level-2 division of its faculty) by inserting its placeholder line. The
// choice buttons stay out of sight: the place is the caller's.
class TForm4 : public QDialog
{
    Q_OBJECT

public:
    // The main window's first-level division and faculty selectors give the parent of the new unit; its
    // refresh command reloads its lists after the insert.
    TForm4(TDM_shtat& dataModule, const DBLookupComboBox& divisionSelector,
           const DBLookupComboBox& facultySelector, QAction& refresh, QWidget* parent = nullptr);

    void done(int result) override;
    void reject() override;

    QWidget* Panel1;
    DBLookupComboBox* DBLookupComboBox1;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QTabWidget* PageControl1;
    QGroupBox* GroupBox1;
    QRadioButton* RBtn_1_1;
    QRadioButton* RBtn_2_2;
    QRadioButton* RBtn_1;

private:
    void createChoice();
    void BitBtn1Click();
    void FormClose();
    unit::DivisionPlace checkedPlace() const;

    TDM_shtat& m_dataModule;
    const DBLookupComboBox& m_divisionSelector;
    const DBLookupComboBox& m_facultySelector;
    QAction& m_refresh;
};

// The add-division dialog while it is shown, null otherwise.
extern TForm4* Form4;

} // namespace zeb
