#pragma once

#include <QDialog>

class QAction;
class QPushButton;

namespace zeb {

class DBLookupComboBox;
class DataModule;

// Brings a department into the schedule of the faculty chosen in the main window by inserting its
// placeholder line.
class AddDepartmentDialog : public QDialog
{
    Q_OBJECT

public:
    // The main window's faculty selector gives the faculty; its refresh command reloads its lists after
    // the insert.
    AddDepartmentDialog(DataModule& dataModule, const DBLookupComboBox& facultySelector, QAction& refresh,
           QWidget* parent = nullptr);

    void done(int result) override;

    DBLookupComboBox* m_departmentBox;
    QPushButton* m_addButton;
    QPushButton* m_closeButton;

private:
    void addDepartment();
    void restoreDepartmentList();

    DataModule& m_dataModule;
    const DBLookupComboBox& m_facultySelector;
    QAction& m_refresh;
};

// The add-department dialog while it is shown, null otherwise.
extern AddDepartmentDialog* Form5;

} // namespace zeb
