#pragma once

#include "ScheduleLineRules.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>

class QAction;
class QCheckBox;
class QCloseEvent;
class QLabel;
class QMenu;
class QRadioButton;
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
class TForm3;
class TForm4;
class TDM_shtat;
struct ColumnUpdateData;

// The staff schedule's main window. Its creation runs the sign-in dialog modally and, after a successful
// sign-in, prepares the lists the window shows; it also records who works on which workstation for the
// audit stamps of the rows the program writes. Above the grid the user chooses the unit whose lines the
// grid shows: a division (and a sub-level) on the first page, a faculty (and a level-2 division or a
// department) on the second.
class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr int computerNameBufferSize = 101;

    // When the sign-in is cancelled the program has been asked to end (Platform::terminationRequested).
    // `home` is the program's folder, with the settings file in its Data folder.
    TForm1(TDM_shtat& dataModule, const QString& home, QWidget* parent = nullptr);
    ~TForm1() override;

    // The login exactly as typed at sign-in; empty before it succeeded.
    QString SessionLogin;
    // The computer name's Windows-1251 bytes, zero-terminated; all zero when it could not be read.
    std::array<char, computerNameBufferSize> SessionComputerName{};
    // While true, saving a schedule line fills its defaults and binds it to the chosen unit.
    bool ApplyLineDefaults = false;

    // The computer name as text: the bytes up to the first zero.
    QString sessionComputerNameText() const;
    // This workstation's IPv4 address, looked up afresh at every call; raises Error when it cannot.
    QString SessionIp() const;

    TDM_shtat& dataModule() const { return m_dataModule; }

    // Saves the current schedule line when it has unsaved changes; a failure is shown, not dropped.
    void SavePendingEdit();
    // Numbers the lines of the schedule that have no number.
    void NumberUnnumberedLines();
    // Makes `column` the grid's current column without the reminder a user's move may get.
    void showGridColumn(int column);

    QAction* Refresh_Shtat_M;
    QMenu* N2;
    QAction* N4;
    QAction* N3;
    QAction* N5;
    QAction* N6;
    QAction* N1;
    QTabBar* TabSet1;
    QStackedWidget* Notebook1;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;
    QLabel* Label4;
    QLabel* Label5;
    DBLookupComboBox* DBLookupComboboxEh_Otdel_1;
    DBLookupComboBox* DBLookupComboboxEh_Otdel_11;
    DBLookupComboBox* DBLookupComboboxEh_Faculty;
    DBLookupComboBox* DBLookupComboboxEh_Otdel_2;
    DBLookupComboBox* DBLookupComboboxEh_Kafedra;
    QToolButton* Button1;
    QToolButton* Button2;
    QToolButton* Button3;
    QToolButton* Button4;
    DBGridEh* DBGridEh1;
    // The totals of staff units and hourly fund under the grid.
    DBGridFooter* DBGridEh1Footer;
    // Off by default: the grid then shows, read only, the chosen unit's lines as they stood on the date.
    QCheckBox* AsOfCheck;
    DateBox* AsOfDate;
    // Shown while the grid holds the view.
    QLabel* AsOfMark;
    QWidget* Panel2;
    QLabel* Label6;
    DBRichEdit* DBRichEdit1;
    DBNavigator* DBNavigator1;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate(const QString& home);
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
    QWidget* createNotePanel();
    void connectNavigation();
    void createMenu();

    // The main menu; closing the window saves a pending line first.
    void Refresh_Shtat_MClick();
    void N4Click();
    void N3Click();
    void N5Click();
    void N6Click();
    void N1Click();
    std::unique_ptr<TForm3> createDirectoryDialog();
    void showDirectory(TForm3& dialog, const QString& caption, int page,
                       const std::function<void()>& prepareList);
    void FormClose(QCloseEvent& event);
    bool savePendingLineBeforeClosing();

    // The "+" buttons beside the unit selectors.
    void connectAddButtons();
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button4Click();
    // Shows the add-division dialog with `place` checked and `disabled` switched off.
    void showDivisionDialog(QRadioButton* TForm4::*place, const QList<QRadioButton * TForm4::*>& disabled);

    // Navigation (the handlers act only when their selector is the window's active control where the
    // selector is one the user picks from).
    void TabSet1Change(int newTab);
    void DBLookupComboboxEh_Otdel_1Change();
    void DBLookupComboboxEh_Otdel_11Change();
    void DBLookupComboboxEh_FacultyChange();
    void DBLookupComboboxEh_Otdel_2Change();
    void DBLookupComboboxEh_KafedraChange();
    void setSelectorState(DBLookupComboBox* selector, bool hasEntries);
    void updateLowerSelectorStates();
    void openSchedule(const QString& statement);
    bool isActiveControl(const QWidget* control) const;

    // The grid's handlers.
    void DBGridEh1Enter();
    void DBGridEh1Exit();
    void DBGridEh1KeyPress(QChar& key);
    void DBGridEh1ColEnter();
    void DBGridEh1CellClick(int column);
    void DBGridEh1Columns0UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns1UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns2UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns3UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns4UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns5UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns6UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns7UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns8UpdateData(ColumnUpdateData& data);
    void DBGridEh1Columns9UpdateData(ColumnUpdateData& data);
    void DBGridEh1FundingSourceUpdateData(ColumnUpdateData& data);

    TDM_shtat& m_dataModule;
    std::unique_ptr<MainWindowLineContext> m_lineContext;
    std::unique_ptr<ScheduleLineRules> m_lineRules;
    bool m_showingGridColumn = false;
};

// The main window while it exists, null otherwise.
extern TForm1* Form1;

} // namespace zeb
