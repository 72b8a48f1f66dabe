#pragma once

#include "dialogs/SessionIdentity.h"

#include <QDialog>
#include <memory>

class QKeyEvent;
class QPushButton;
class QTabWidget;

namespace zeb {

class DBGridEh;
class DBLookupComboBox;
class DBNavigator;
class DataModule;
class SalaryScaleRules;

// The directory editor: posts, departments, divisions, faculties and the salary scale, one page each. The
// caller picks the page; the tabs are hidden, so the dialog shows that page only. Edits are posted straight
// to the tables. Closing gives the main window's division and department lists back their statements.
class DirectoryEditor : public QDialog
{
    Q_OBJECT

public:
    enum Page
    {
        PostPage,
        DepartmentPage,
        DivisionPage,
        FacultyPage,
        SalaryScalePage,
    };

    // `facultySelector` is the main window's: closing restores the departments of the faculty chosen there.
    DirectoryEditor(DataModule& dataModule, const DBLookupComboBox& facultySelector, SessionIdentity identity,
                    QWidget* parent = nullptr);
    ~DirectoryEditor() override;

    // Widths of the dialog, its panel and its page control (the faculty page needs room for three columns).
    void setWidths(int dialogWidth, int panelWidth, int pageControlWidth);

    void showPage(Page page);

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createPostPage();
    QWidget* createDepartmentPage();
    QWidget* createDivisionPage();
    QWidget* createFacultyPage();
    QWidget* createSalaryScalePage();

    void departmentGridKeyPressed(const QKeyEvent& event);
    void showDepartmentCopyDialog();
    void restoreMainWindowLists();

    QWidget* m_panel;
    QTabWidget* m_pages;
    QWidget* m_postPage;
    QWidget* m_departmentPage;
    QWidget* m_divisionPage;
    QWidget* m_facultyPage;
    QWidget* m_salaryScalePage;
    DBGridEh* m_postGrid;
    DBGridEh* m_departmentGrid;
    DBGridEh* m_divisionGrid;
    DBGridEh* m_facultyGrid;
    DBGridEh* m_salaryScaleGrid;
    DBNavigator* m_postNavigator;
    DBNavigator* m_departmentNavigator;
    DBNavigator* m_divisionNavigator;
    DBNavigator* m_facultyNavigator;
    DBNavigator* m_salaryScaleNavigator;
    QPushButton* m_copyRemoveButton;

    DataModule& m_dataModule;
    const DBLookupComboBox& m_facultySelector;
    SessionIdentity m_identity;
    std::unique_ptr<SalaryScaleRules> m_salaryScaleRules;
};

} // namespace zeb
