#include "TForm1.h"

#include "ComputerName.h"
#include "Cp1251.h"
#include "DataModule.h"
#include "MainWindowLineContext.h"
#include "Platform.h"
#include "TForm8.h"

#include <algorithm>

namespace zeb {

TForm1* Form1 = nullptr;

TForm1::TForm1(TDM_shtat& dataModule, const QString& home, QWidget* parent)
    : QMainWindow(parent), m_dataModule(dataModule)
{
    // The sign-in reaches this window's fields while the window is still being created.
    Form1 = this;
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("ZEB 7 Штатное расписание"));
    createControls();
    m_lineContext = std::make_unique<MainWindowLineContext>(*this);
    m_lineRules = std::make_unique<ScheduleLineRules>(m_dataModule.ADOQ_Shtat_rasp, *m_lineContext);
    m_lineRules->install();
    FormCreate(home);
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::FormCreate(const QString& home)
{
    // The dialog belongs to the application, not to this window, which is not shown yet.
    auto dialog = std::make_unique<TForm8>(m_dataModule, SessionLogin, home);
    Form8 = dialog.get();
    const int result = Platform::instance().runModal(*dialog);
    if (result == ModalResult::Cancel) {
        Platform::instance().requestTerminate();
    } else {
        ApplyLineDefaults = true;
        sortStartUpLists();
    }
    readComputerName();
    dialog.reset();
    Form8 = nullptr;
}

void TForm1::sortStartUpLists()
{
    m_dataModule.ADOQ_Otdel_1.sort(QStringLiteral("otdel_1"));
    m_dataModule.ADOQ_Faculty.sort(QStringLiteral("p23-2"));
    m_dataModule.ADOQ_Kafedra.sort(QStringLiteral("f1"));
    m_dataModule.ADOQ_post.sort(QStringLiteral("post"));
    m_dataModule.ADOQ_Otdel_11.sort(QStringLiteral("otdel_1"));
}

void TForm1::readComputerName()
{
    SessionComputerName.fill('\0');
    const QByteArray name = computerNameBytes(computerNameBufferSize);
    std::copy(name.begin(), name.end(), SessionComputerName.begin());
}

QString TForm1::sessionComputerNameText() const
{
    return cp1251::decode(QByteArray(SessionComputerName.data()));
}

QString TForm1::SessionIp() const
{
    return Platform::instance().ownIpv4Address();
}

} // namespace zeb
