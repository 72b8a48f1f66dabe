#pragma once

#include "dialogs/SessionIdentity.h"

#include <QDialog>

class QKeyEvent;
class QPushButton;
class QTabWidget;

namespace zeb {

class DBGridEh;
class DBLookupComboBox;
class DBNavigator;
class DataModule;

// The directory editor: posts, departments, divisions and faculties, one page each. The caller picks the
// page; the tabs are hidden, so the dialog shows that page only. Edits are posted straight to the tables.
// Closing gives the main window's division and department lists back their statements.
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
    };

    // `facultySelector` is the main window's: closing restores the departments of the faculty chosen there.
    DirectoryEditor(DataModule& dataModule, const DBLookupComboBox& facultySelector, SessionIdentity identity,
                    QWidget* parent = nullptr);

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

    void departmentGridKeyPressed(const QKeyEvent& event);
    void showDepartmentCopyDialog();
    void restoreMainWindowLists();

    QWidget* m_panel;
    QTabWidget* m_pages;
    QWidget* m_postPage;
    QWidget* m_departmentPage;
    QWidget* m_divisionPage;
    QWidget* m_facultyPage;
    DBGridEh* m_postGrid;
    DBGridEh* m_departmentGrid;
    DBGridEh* m_divisionGrid;
    DBGridEh* m_facultyGrid;
    DBNavigator* m_postNavigator;
    DBNavigator* m_departmentNavigator;
    DBNavigator* m_divisionNavigator;
    DBNavigator* m_facultyNavigator;
    QPushButton* m_copyRemoveButton;

    DataModule& m_dataModule;
    const DBLookupComboBox& m_facultySelector;
    SessionIdentity m_identity;
};

} // namespace zeb
