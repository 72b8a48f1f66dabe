#pragma once

#include "signin/dialog/SignInFlow.h"
#include "signin/dialog/SignInView.h"
#include "signin/update/SelfUpdate.h"

#include <QLabel>
#include <QStringList>
#include <QTimer>

namespace zeb {

// The sign-in's view for tests: typed texts to set, and a record of what the sign-in did to the dialog.
class RecordingSignInView : public SignInView
{
public:
    SignInFlow* flow = nullptr;
    QString home;

    QString loginText;
    QString passwordText;
    QString newPasswordText;
    QString confirmationText;

    QStringList messages;
    int morePresses = 0;
    bool moreEnabled = true;
    int clears = 0;
    int closedWith = 0;
    QLabel notice;
    QTimer exitTimer;

    QString message() const { return messages.isEmpty() ? QString() : messages.last(); }

    QString login() const override { return loginText; }
    QString password() const override { return passwordText; }
    QString newPassword() const override { return newPasswordText; }
    QString confirmation() const override { return confirmationText; }

    void showMessage(const QString& text) override { messages.append(text); }
    // A click on a disabled button does nothing.
    void pressMoreButton() override
    {
        if (!moreEnabled)
            return;
        ++morePresses;
        flow->togglePasswordArea();
    }
    void disableMoreButton() override { moreEnabled = false; }
    void clearNewPasswords() override
    {
        ++clears;
        newPasswordText.clear();
        confirmationText.clear();
    }
    bool startUpdate(const QString& publishedDigest, qint64 publishedBuild) override
    {
        UpdateSite site = UpdateSite::current();
        site.home = home;
        return startSelfUpdate(notice, exitTimer, publishedDigest, publishedBuild, site);
    }
    void closeWith(int modalResult) override { closedWith = modalResult; }
};

} // namespace zeb
