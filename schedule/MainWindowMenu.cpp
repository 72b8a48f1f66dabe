// The main menu: reloading the lists, the directories, the report; and closing the window.

#include "controls/DBGridEh.h"
#include "controls/DBLookupComboBox.h"
#include "data/module/DataModule.h"
#include "dialogs/DirectoryEditor.h"
#include "dialogs/directory/DirectoryStatements.h"
#include "platform/Error.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"
#include "schedule/MainWindow.h"
#include "schedule/menu/BuiltInReport.h"
#include "schedule/menu/ReportAddress.h"
#include "schedule/menu/SelectionLists.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace zeb {

namespace {

const QString noticeCaption = QStringLiteral("Уведомление");

} // namespace

void MainWindow::createMenu()
{
    QMenuBar* menu = menuBar();
    menu->setObjectName(QStringLiteral("MainMenu1"));
    const auto command = [this](auto* menu, const QString& caption, const QString& name,
                                void (MainWindow::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, guarded([this, handler](bool) { (this->*handler)(); }));
        return action;
    };
    m_refreshAction = command(menu, QStringLiteral("Обновить"), QStringLiteral("Refresh_Shtat_M"),
                              &MainWindow::refreshLists);
    m_directoriesMenu = menu->addMenu(QStringLiteral("Справочники"));
    m_directoriesMenu->setObjectName(QStringLiteral("N2"));
    m_postsAction =
        command(m_directoriesMenu, QStringLiteral("Должность"), QStringLiteral("N4"), &MainWindow::showPosts);
    m_departmentsAction = command(m_directoriesMenu, QStringLiteral("Кафедра"), QStringLiteral("N3"),
                                  &MainWindow::showDepartments);
    m_divisionsAction = command(m_directoriesMenu, QStringLiteral("Отделы"), QStringLiteral("N5"),
                                &MainWindow::showDivisions);
    m_facultiesAction = command(m_directoriesMenu, QStringLiteral("Факультет"), QStringLiteral("N6"),
                                &MainWindow::showFaculties);
    m_salaryScaleAction = command(m_directoriesMenu, QStringLiteral("Оклады по разрядам"),
                                  QStringLiteral("N7"), &MainWindow::showSalaryScale);
    m_reportAction = command(menu, QStringLiteral("Отчёты"), QStringLiteral("N1"), &MainWindow::showReport);
    // Without a desktop that opens menu bars from the keyboard, F10 shows the same commands as a menu the
    // arrows and Enter work in.
    auto* keyboardMenu = new QMenu(this);
    keyboardMenu->setObjectName(QStringLiteral("KeyboardMenu"));
    keyboardMenu->addActions(menu->actions());
    connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
            [menu, keyboardMenu] {
                keyboardMenu->popup(menu->mapToGlobal(QPoint(0, menu->height())));
                keyboardMenu->setActiveAction(keyboardMenu->actions().constFirst());
            });
}

void MainWindow::refreshLists()
{
    refreshSelectionLists(m_dataModule);
    updateLowerSelectorStates();
}

std::unique_ptr<DirectoryEditor> MainWindow::createDirectoryDialog()
{
    return std::make_unique<DirectoryEditor>(
        m_dataModule, *m_facultySelector,
        SessionIdentity{m_dataModule.sessionLogin(), computerNameText(), [this] { return sessionIp(); }},
        this);
}

// A list that fails to open is reported by the application and the dialog is not shown.
void MainWindow::showDirectory(DirectoryEditor& dialog, const QString& caption, DirectoryEditor::Page page,
                               const std::function<void()>& prepareList)
{
    dialog.setWindowTitle(caption);
    dialog.showPage(page);
    if (prepareList)
        prepareList();
    Platform::instance().runModal(dialog);
}

void MainWindow::showPosts()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Должность"), DirectoryEditor::PostPage, {});
}

void MainWindow::showDepartments()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Кафедра"), DirectoryEditor::DepartmentPage,
                  [this] {
                      m_dataModule.departments.setSql(directory::allDepartments());
                      m_dataModule.departments.open();
                  });
}

void MainWindow::showDivisions()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Отделы"), DirectoryEditor::DivisionPage, [this] {
        m_dataModule.divisions.setSql(directory::allDivisions());
        m_dataModule.divisions.open();
    });
}

void MainWindow::showFaculties()
{
    const std::unique_ptr<DirectoryEditor> dialog = createDirectoryDialog();
    dialog->setWidths(559, 551, 550);
    showDirectory(*dialog, QStringLiteral("Факультеты"), DirectoryEditor::FacultyPage, [this] {
        m_dataModule.faculties.setSql(directory::allFaculties());
        m_dataModule.faculties.open();
        m_dataModule.faculties.sort(QStringLiteral("p23-1"));
    });
}

void MainWindow::showSalaryScale()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Оклады по разрядам"),
                  DirectoryEditor::SalaryScalePage, [this] { m_dataModule.salaryScale.open(); });
}

// Without a report server the program builds the report itself.
void MainWindow::showReport()
{
    const QString address = reportAddress(m_dataModule.scratch);
    if (address.isEmpty()) {
        showBuiltInReport(this, m_dataModule.connection);
        return;
    }
    Platform::instance().openUrl(address);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    closeWindow(*event);
}

void MainWindow::closeWindow(QCloseEvent& event)
{
    // What is typed in the open cell belongs to the line; a value the cell refuses keeps the window open
    // at it, its error shown.
    if (!m_grid->commitEditor() || !savePendingLineBeforeClosing()) {
        event.ignore();
        return;
    }
    for (DBLookupComboBox* selector : {m_divisionSelector, m_levelTwoSelector, m_facultySelector,
                                       m_departmentSelector, m_subLevelSelector})
        selector->setListSource(nullptr, selector->keyField(), selector->listField());
    event.accept();
}

// A line that cannot be saved is not dropped unnoticed: the user learns why and either goes back to it or
// closes knowing it is lost.
bool MainWindow::savePendingLineBeforeClosing()
{
    Dataset& schedule = m_dataModule.scheduleLines;
    if (!schedule.isActive() || !schedule.isModified())
        return true;
    try {
        schedule.edit();
        schedule.post();
        return true;
    } catch (const std::exception& error) {
        const QString reason = errorMessage(error);
        const QString text = QStringLiteral("Изменения строки не сохранены") +
                             (reason.isEmpty() ? QStringLiteral(".") : QStringLiteral(":\r") + reason) +
                             QStringLiteral("\r\rЗакрыть программу без сохранения строки?\r"
                                            "Нажмите «Нет», чтобы вернуться к строке и исправить её.");
        if (Platform::instance().messageBox(this, text, noticeCaption, MessageButtons::YesNo,
                                            MessageIcon::Warning) != MessageAnswer::Yes)
            return false;
        schedule.cancel();
        return true;
    }
}

} // namespace zeb
