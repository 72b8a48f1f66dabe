#pragma once

#include <QString>

namespace zeb {

// What the sign-in needs of its dialog: the typed texts, the message label and the controls it drives.
class SignInView
{
public:
    virtual ~SignInView() = default;

    virtual QString login() const = 0;
    virtual QString password() const = 0;
    virtual QString newPassword() const = 0;
    virtual QString confirmation() const = 0;

    virtual void showMessage(const QString& text) = 0;
    // Clicks the more button, which toggles the password-change area through SignInFlow::togglePasswordArea.
    virtual void pressMoreButton() = 0;
    virtual void disableMoreButton() = 0;
    virtual void clearNewPasswords() = 0;
    // Starts the self-update on the dialog's version label and exit timer, installing only a build whose
    // SHA-256 is publishedDigest; errors propagate. False when this installation is not replaced by itself
    // (the user has been told): the sign-in goes on.
    virtual bool startUpdate(const QString& publishedDigest, qint64 publishedBuild) = 0;
    virtual void closeWith(int modalResult) = 0;
};

} // namespace zeb
