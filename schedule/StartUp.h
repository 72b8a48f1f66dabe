#pragma once

#include <QString>
#include <memory>

namespace zeb {

class DataModule;
class MainWindow;

// Title of the application and caption of its main window.
QString applicationTitle();

// Settings of the application object that hold for the whole run: its name and title, Russian number and
// date formats whatever the system's locale, and Qt's own texts in Russian when the translation is installed.
void prepareApplication();

// The program's long-lived objects in their order: the data module first, then the main window, whose
// creation runs the sign-in. A cancelled sign-in leaves the main window hidden and the program ending.
class StartUp
{
public:
    // `home` is the program's folder: the settings file and an embedded database lie in its Data folder, or
    // in the workstation's folders when it has none (SettingsLocation::ofProgram).
    explicit StartUp(const QString& home);
    ~StartUp();

    DataModule& dataModule() const { return *m_dataModule; }
    MainWindow& mainWindow() const { return *m_mainWindow; }

    // Shows the main window maximised unless the program has been asked to end; true when shown.
    bool showMainWindow();
    // Shows the main window and runs the message loop until the program ends; the exit code.
    int run();

private:
    // In this order, so that the main window goes before the data module it reads.
    std::unique_ptr<DataModule> m_dataModule;
    std::unique_ptr<MainWindow> m_mainWindow;
};

} // namespace zeb
