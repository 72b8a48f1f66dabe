#pragma once

#include "data/rules/ScheduleLineContext.h"
#include "data/rules/ScheduleLineRules.h"
#include "dialogs/DirectoryEditor.h"
#include "dialogs/unit/PlaceholderLines.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QMenu;
class QStackedWidget;
class QTabBar;
class QToolButton;
class QWidget;

namespace zeb {

class DBGridEh;
class DateBox;
class DBGridFooter;
class DBLookupComboBox;
class DBNavigator;
class DBRichEdit;
class MainWindowLineContext;
class DirectoryEditor;
class DataModule;
struct ColumnUpdateData;
struct GridColumn;

// The staff schedule's main window. Its creation runs the sign-in dialog modally and, after a successful
// sign-in, prepares the lists the window shows; it also records who works on which workstation for the
// audit stamps of the rows the program writes. Above the grid the user chooses the unit whose lines the
// grid shows: a division (and a sub-level) on the first page, a faculty (and a level-2 division or a
// department) on the second.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int computerNameBufferSize = 101;

    // When the sign-in is cancelled the program has been asked to end (Platform::terminationRequested).
    // `home` is the program's folder, with the settings file in its Data folder or else the workstation's.
    MainWindow(DataModule& dataModule, const QString& home, QWidget* parent = nullptr);
    ~MainWindow() override;

    // While true, saving a schedule line fills its defaults and binds it to the chosen unit.
    bool applyLineDefaults() const { return m_applyLineDefaults; }
    void setApplyLineDefaults(bool apply) { m_applyLineDefaults = apply; }
    // The computer name's Windows-1251 bytes, zero-terminated; all zero when it could not be read.
    const std::array<char, computerNameBufferSize>& computerName() const { return m_computerName; }
    // The computer name as text: the bytes up to the first zero.
    QString computerNameText() const;
    // This workstation's IPv4 address, looked up afresh at every call; raises Error when it cannot.
    QString sessionIp() const;

    DataModule& dataModule() const { return m_dataModule; }

    // Saves the current schedule line when it has unsaved changes; a failure is shown, not dropped.
    void savePendingEdit();
    // Numbers the lines of the schedule that have no number.
    void numberScheduleLines();
    // Makes `column` the grid's current column without the reminder a user's move may get.
    void showGridColumn(int column);
    // The unit selectors, as the line rules bind a new line to the chosen unit.
    QList<UnitBox> unitBoxes() const;
    // The keys of the lines selected in the grid.
    QList<QByteArray> selectedGridRows() const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QAction* m_refreshAction;
    QMenu* m_directoriesMenu;
    QAction* m_postsAction;
    QAction* m_departmentsAction;
    QAction* m_divisionsAction;
    QAction* m_facultiesAction;
    QAction* m_salaryScaleAction;
    QAction* m_reportAction;
    QTabBar* m_unitTabs;
    QStackedWidget* m_selectorPages;
    QLabel* m_departmentTitle;
    QLabel* m_divisionTitle;
    QLabel* m_subLevelTitle;
    QLabel* m_facultyTitle;
    QLabel* m_levelTwoTitle;
    DBLookupComboBox* m_divisionSelector;
    DBLookupComboBox* m_subLevelSelector;
    DBLookupComboBox* m_facultySelector;
    DBLookupComboBox* m_levelTwoSelector;
    DBLookupComboBox* m_departmentSelector;
    QToolButton* m_addLevelTwoButton;
    QToolButton* m_addSubLevelButton;
    QToolButton* m_addDepartmentButton;
    QToolButton* m_addDivisionButton;
    DBGridEh* m_grid;
    // The totals of staff units and hourly fund under the grid.
    DBGridFooter* m_gridFooter;
    // Off by default: the grid then shows, read only, the chosen unit's lines as they stood on the date.
    QCheckBox* m_asOfCheck;
    DateBox* m_asOfDate;
    // Shown while the grid holds the view.
    QLabel* m_asOfMark;
    // Shown with the view: from which day the lines' history is kept.
    QLabel* m_historyStart;
    // "История строки" (Ctrl+H, the grid's context menu).
    QAction* m_lineHistoryAction;
    QWidget* m_notePanel;
    QLabel* m_noteTitle;
    DBRichEdit* m_noteEditor;
    DBNavigator* m_navigator;

    void signIn(const QString& home);
    void sortStartUpLists();
    void readComputerName();

    void createControls();
    QWidget* createDivisionsPage();
    QWidget* createFacultiesPage();
    void createGrid();
    void createGridFooter();
    QWidget* createAsOfRow(QWidget* footer);
    void showAsOfView(bool on);
    void reloadAsOfView();
    void createLineHistoryAction();
    void showLineHistory();
    // The occupied and vacant units of the unit shown, beside the footer's totals.
    void connectVacancies();
    void refreshVacancies();
    QWidget* createNotePanel();
    void connectNavigation();
    void createMenu();

    // The main menu; closing the window saves a pending line first.
    void refreshLists();
    void showPosts();
    void showDepartments();
    void showDivisions();
    void showFaculties();
    void showSalaryScale();
    void showReport();
    std::unique_ptr<DirectoryEditor> createDirectoryDialog();
    void showDirectory(DirectoryEditor& dialog, const QString& caption, DirectoryEditor::Page page,
                       const std::function<void()>& prepareList);
    void closeWindow(QCloseEvent& event);
    bool savePendingLineBeforeClosing();

    // The "+" buttons beside the unit selectors.
    void connectAddButtons();
    void addLevelTwoDivision();
    void addSubLevel();
    void addDepartment();
    void addDivision();
    // Shows the add-division dialog with `place` checked and the `unavailable` places switched off.
    void showDivisionDialog(unit::DivisionPlace place, const QList<unit::DivisionPlace>& unavailable);

    // Navigation (the handlers act only when their selector is the window's active control where the
    // selector is one the user picks from).
    void switchUnitPage(int newTab);
    void divisionChosen();
    void subLevelChosen();
    void facultyChosen();
    void levelTwoChosen();
    void departmentChosen();
    void setSelectorState(DBLookupComboBox* selector, bool hasEntries);
    void updateLowerSelectorStates();
    void openSchedule(const QString& statement);
    bool isActiveControl(const QWidget* control) const;

    // The grid's handlers.
    void gridEntered();
    void gridLeft();
    void gridKeyPressed(QChar& key);
    void gridColumnEntered();
    void gridCellClicked(int column);
    // Each column's question before a saved line's cell changes, bound from one table.
    void bindColumnQuestions(QList<GridColumn>& columns);
    void keepOccupiedLineInForce(ColumnUpdateData& data);

    DataModule& m_dataModule;
    std::unique_ptr<MainWindowLineContext> m_lineContext;
    std::unique_ptr<ScheduleLineRules> m_lineRules;
    bool m_showingGridColumn = false;
    std::array<char, computerNameBufferSize> m_computerName{};
    bool m_applyLineDefaults = false;
};

} // namespace zeb
