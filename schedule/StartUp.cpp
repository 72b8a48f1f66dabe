#include "schedule/StartUp.h"

#include "data/module/DataModule.h"
#include "schedule/MainWindow.h"
#include "platform/seam/Platform.h"

#include <QApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace zeb {

QString applicationTitle()
{
    return QStringLiteral("ZEB 7 Штатное расписание");
}

void prepareApplication()
{
    // Only the name: a display name would be appended to every box's caption by the window system.
    QApplication::setApplicationName(applicationTitle());
    QLocale::setDefault(QLocale(QLocale::Russian, QLocale::Russia));
    // Qt's own dialogs (the report's save dialog) and context menus speak Russian too; without the
    // translation package they stay English and work.
    auto* translator = new QTranslator(QCoreApplication::instance());
    if (translator->load(QLocale(QLocale::Russian), QStringLiteral("qtbase"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(translator);
}

StartUp::StartUp(const QString& home) : m_dataModule(std::make_unique<DataModule>())
{
    m_dataModule->connection.setDataDirectory(QDir(home).filePath(QStringLiteral("Data")));
    m_mainWindow = std::make_unique<MainWindow>(*m_dataModule, home);
}

StartUp::~StartUp() = default;

bool StartUp::showMainWindow()
{
    if (Platform::instance().terminationRequested())
        return false;
    // Also the normal size covers the screen, for desktops without a window manager to maximise it.
    if (const QScreen* screen = m_mainWindow->screen())
        m_mainWindow->setGeometry(screen->availableGeometry());
    m_mainWindow->showMaximized();
    return true;
}

int StartUp::run()
{
    if (!showMainWindow())
        return 0;
    return QApplication::exec();
}

} // namespace zeb
