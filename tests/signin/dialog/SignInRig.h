#pragma once

#include "data/module/DataModule.h"
#include "signin/dialog/SignInFlow.h"
#include "tests/signin/dialog/RecordingSignInView.h"
#include "tests/support/TestInstallation.h"

#include <QDir>
#include <QTemporaryDir>

namespace zeb {

// Where the demo installation's settings lie for the sign-in: in the program's folder, or in the
// workstation's settings folder with nothing beside the program.
enum class SettingsPlace
{
    BesideProgram,
    Workstation,
};

// A fresh demo installation and one sign-in dialog's logic working on it through a recording view. The
// place that does not hold the installation is an empty folder, so nothing outside the test is read.
struct SignInRig
{
    explicit SignInRig(EngineKind engine, SettingsPlace place = SettingsPlace::BesideProgram)
        : installation(engine, true),
          flow(dataModule, view,
               place == SettingsPlace::BesideProgram ? installation.directory() : empty.path(),
               SettingsLocation::ofFolder(place == SettingsPlace::Workstation ? installation.directory()
                                                                              : empty.path()))
    {
        view.flow = &flow;
        view.home = place == SettingsPlace::BesideProgram ? installation.directory() : empty.path();
    }

    QString settingsPath() const
    {
        return QDir(installation.directory()).filePath(QStringLiteral("Data/ZEB"));
    }
    Connection& connection() { return dataModule.connection; }

    void type(const QString& login, const QString& password)
    {
        view.loginText = login;
        view.passwordText = password;
    }

    QTemporaryDir empty;
    TestInstallation installation;
    DataModule dataModule;
    RecordingSignInView view;
    SignInFlow flow;
};

} // namespace zeb
