#pragma once

#include "data/module/DataModule.h"
#include "signin/dialog/SignInFlow.h"
#include "tests/signin/dialog/RecordingSignInView.h"
#include "tests/support/TestInstallation.h"

#include <QDir>

namespace zeb {

// A fresh demo installation and one sign-in dialog's logic working on it through a recording view.
struct SignInRig
{
    explicit SignInRig(EngineKind engine) : installation(engine, true), flow(dataModule, view, settingsPath())
    {
        dataModule.connection.setDataDirectory(installation.dataDirectory());
        view.flow = &flow;
        view.home = installation.directory();
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

    TestInstallation installation;
    DataModule dataModule;
    RecordingSignInView view;
    SignInFlow flow;
};

} // namespace zeb
