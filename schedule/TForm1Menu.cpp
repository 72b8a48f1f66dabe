// The main menu: reloading the lists, the directories, the report; and closing the window.

#include "BuiltInReport.h"
#include "DBGridEh.h"
#include "DBLookupComboBox.h"
#include "DataModule.h"
#include "DirectoryStatements.h"
#include "Error.h"
#include "ErrorDisplayApplication.h"
#include "Platform.h"
#include "ReportAddress.h"
#include "SelectionLists.h"
#include "TForm1.h"
#include "TForm3.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>

namespace zeb {

namespace {

const QString noticeCaption = QStringLiteral("Уведомление");

} // namespace

void TForm1::createMenu()
{
    QMenuBar* MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
    const auto command = [this](auto* menu, const QString& caption, const QString& name,
                                void (TForm1::*handler)()) {
        QAction* action = menu->addAction(caption);
        action->setObjectName(name);
        connect(action, &QAction::triggered, this, guarded([this, handler](bool) { (this->*handler)(); }));
        return action;
    };
    Refresh_Shtat_M = command(MainMenu1, QStringLiteral("Обновить"), QStringLiteral("Refresh_Shtat_M"),
                              &TForm1::Refresh_Shtat_MClick);
    N2 = MainMenu1->addMenu(QStringLiteral("Справочники"));
    N2->setObjectName(QStringLiteral("N2"));
    N4 = command(N2, QStringLiteral("Должность"), QStringLiteral("N4"), &TForm1::N4Click);
    N3 = command(N2, QStringLiteral("Кафедра"), QStringLiteral("N3"), &TForm1::N3Click);
    N5 = command(N2, QStringLiteral("Отделы"), QStringLiteral("N5"), &TForm1::N5Click);
    N6 = command(N2, QStringLiteral("Факультет"), QStringLiteral("N6"), &TForm1::N6Click);
    N1 = command(MainMenu1, QStringLiteral("Отчёты"), QStringLiteral("N1"), &TForm1::N1Click);
}

void TForm1::Refresh_Shtat_MClick()
{
    refreshSelectionLists(m_dataModule);
    updateLowerSelectorStates();
}

std::unique_ptr<TForm3> TForm1::createDirectoryDialog()
{
    return std::make_unique<TForm3>(
        m_dataModule, *DBLookupComboboxEh_Faculty,
        SessionIdentity{SessionLogin, sessionComputerNameText(), [this] { return SessionIp(); }}, this);
}

// A list that fails to open is reported by the application and the dialog is not shown.
void TForm1::showDirectory(TForm3& dialog, const QString& caption, int page,
                           const std::function<void()>& prepareList)
{
    dialog.setWindowTitle(caption);
    dialog.PageControl1->setCurrentIndex(page);
    if (prepareList)
        prepareList();
    Platform::instance().runModal(dialog);
}

void TForm1::N4Click()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Должность"), TForm3::PostPage, {});
}

void TForm1::N3Click()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Кафедра"), TForm3::DepartmentPage, [this] {
        m_dataModule.ADOQ_Kafedra.setSql(directory::allDepartments());
        m_dataModule.ADOQ_Kafedra.open();
    });
}

void TForm1::N5Click()
{
    showDirectory(*createDirectoryDialog(), QStringLiteral("Отделы"), TForm3::DivisionPage, [this] {
        m_dataModule.ADOQ_Otdel_1.setSql(directory::allDivisions());
        m_dataModule.ADOQ_Otdel_1.open();
    });
}

void TForm1::N6Click()
{
    const std::unique_ptr<TForm3> dialog = createDirectoryDialog();
    dialog->setWidths(559, 551, 550);
    showDirectory(*dialog, QStringLiteral("Факультеты"), TForm3::FacultyPage, [this] {
        m_dataModule.ADOQ_Faculty.setSql(directory::allFaculties());
        m_dataModule.ADOQ_Faculty.open();
        m_dataModule.ADOQ_Faculty.sort(QStringLiteral("p23-1"));
    });
}

// Without a report server the program builds the report itself.
void TForm1::N1Click()
{
    const QString address = reportAddress(m_dataModule.ADOQ_Temp);
    if (address.isEmpty()) {
        showBuiltInReport(this, m_dataModule.ADO_Shtat);
        return;
    }
    Platform::instance().openUrl(address);
}

void TForm1::closeEvent(QCloseEvent* event)
{
    FormClose(*event);
}

void TForm1::FormClose(QCloseEvent& event)
{
    // What is typed in the open cell belongs to the line; a value the cell refuses keeps the window open
    // at it, its error shown.
    if (!DBGridEh1->commitEditor() || !savePendingLineBeforeClosing()) {
        event.ignore();
        return;
    }
    for (DBLookupComboBox* selector :
         {DBLookupComboboxEh_Otdel_1, DBLookupComboboxEh_Otdel_2, DBLookupComboboxEh_Faculty,
          DBLookupComboboxEh_Kafedra, DBLookupComboboxEh_Otdel_11})
        selector->setListSource(nullptr, selector->keyField(), selector->listField());
    event.accept();
}

// A line that cannot be saved is not dropped unnoticed: the user learns why and either goes back to it or
// closes knowing it is lost.
bool TForm1::savePendingLineBeforeClosing()
{
    Dataset& schedule = m_dataModule.ADOQ_Shtat_rasp;
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
