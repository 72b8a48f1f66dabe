#include "schedule/MainWindow.h"

#include "data/module/DataModule.h"
#include "platform/Cp1251.h"
#include "platform/seam/Platform.h"
#include "schedule/MainWindowLineContext.h"
#include "signin/dialog/ComputerName.h"
#include "signin/dialog/SignInDialog.h"

#include <algorithm>

namespace zeb {

MainWindow::MainWindow(DataModule& dataModule, const QString& home, QWidget* parent)
    : QMainWindow(parent), m_dataModule(dataModule)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ZEB 7 Штатное расписание"));
    // The sign-in comes first: nothing of the window is seen before it, and the person should not wait for
    // controls to be built before the dialog shows.
    signIn(home);
    createControls();
    m_lineContext = std::make_unique<MainWindowLineContext>(*this);
    m_lineRules = std::make_unique<ScheduleLineRules>(m_dataModule.scheduleLines, *m_lineContext);
    m_lineRules->install();
}

MainWindow::~MainWindow() = default;

void MainWindow::signIn(const QString& home)
{
    // The dialog belongs to the application, not to this window, which is not shown yet.
    auto dialog = std::make_unique<SignInDialog>(m_dataModule, home);
    const int result = Platform::instance().runModal(*dialog);
    if (result == ModalResult::Cancel) {
        Platform::instance().requestTerminate();
    } else {
        m_applyLineDefaults = true;
        sortStartUpLists();
    }
    readComputerName();
}

void MainWindow::sortStartUpLists()
{
    m_dataModule.divisions.sort(QStringLiteral("otdel_1"));
    m_dataModule.faculties.sort(QStringLiteral("p23-2"));
    m_dataModule.departments.sort(QStringLiteral("f1"));
    m_dataModule.posts.sort(QStringLiteral("post"));
    m_dataModule.subLevels.sort(QStringLiteral("otdel_1"));
}

void MainWindow::readComputerName()
{
    m_computerName.fill('\0');
    const QByteArray name = computerNameBytes(computerNameBufferSize);
    std::copy(name.begin(), name.end(), m_computerName.begin());
}

QString MainWindow::computerNameText() const
{
    return cp1251::decode(QByteArray(m_computerName.data()));
}

QString MainWindow::sessionIp() const
{
    return Platform::instance().ownIpv4Address();
}

} // namespace zeb
