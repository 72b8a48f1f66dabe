#pragma once

#include <QDialog>

class QAction;
class QPushButton;

namespace zeb {

class DBLookupComboBox;
class TDM_shtat;

// Brings a department into the schedule of the faculty chosen in the main window by inserting its
// placeholder line.
class TForm5 : public QDialog
{
    Q_OBJECT

public:
    // The main window's faculty selector gives the faculty; its refresh command reloads its lists after
    // the insert.
    TForm5(TDM_shtat& dataModule, const DBLookupComboBox& facultySelector, QAction& refresh,
           QWidget* parent = nullptr);

    void done(int result) override;

    DBLookupComboBox* DBLookupComboBox1;
    QPushButton* Button1;
    QPushButton* BitBtn1;

private:
    void Button1Click();
    void FormClose();

    TDM_shtat& m_dataModule;
    const DBLookupComboBox& m_facultySelector;
    QAction& m_refresh;
};

// The add-department dialog while it is shown, null otherwise.
extern TForm5* Form5;

} // namespace zeb
