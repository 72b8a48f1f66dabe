#pragma once

#include "SessionIdentity.h"

#include <QDialog>

class QKeyEvent;
class QPushButton;
class QTabWidget;

namespace zeb {

class DBGridEh;
class DBLookupComboBox;
class DBNavigator;
class TDM_shtat;

// The directory editor: posts, departments, divisions and faculties, one page each. The caller picks the
// page; the tabs are hidden, so the dialog shows that page only. Edits are posted straight to the tables.
// Closing gives the main window's division and department lists back their statements.
class TForm3 : public QDialog
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
    TForm3(TDM_shtat& dataModule, const DBLookupComboBox& facultySelector, SessionIdentity identity,
           QWidget* parent = nullptr);

    // Widths of the dialog, its panel and its page control (the faculty page needs room for three columns).
    void setWidths(int dialogWidth, int panelWidth, int pageControlWidth);

    void done(int result) override;

    QWidget* Panel1;
    QTabWidget* PageControl1;
    QWidget* TabSheet1;
    QWidget* TabSheet2;
    QWidget* TabSheet3;
    QWidget* TS_Faculty;
    DBGridEh* DBGridEh1;
    DBGridEh* DBGridEh2;
    DBGridEh* DBGridEh3;
    DBGridEh* DBGridEh4;
    DBNavigator* DBNavigator1;
    DBNavigator* DBNavigator2;
    DBNavigator* DBNavigator3;
    DBNavigator* DBNavigator4;
    QPushButton* BitBtn1;

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* createPostPage();
    QWidget* createDepartmentPage();
    QWidget* createDivisionPage();
    QWidget* createFacultyPage();

    void DBGridEh2KeyDown(const QKeyEvent& event);
    void BitBtn1Click();
    void FormClose();

    TDM_shtat& m_dataModule;
    const DBLookupComboBox& m_facultySelector;
    SessionIdentity m_identity;
};

} // namespace zeb
