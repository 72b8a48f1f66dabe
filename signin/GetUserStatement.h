#pragma once

#include <QString>

namespace zeb {

// The sign-in call: "EXEC GET_USER '<login>','<digest>',<new digest or NULL>, 'ZEB 7', '<address>',
// '<computer>', '<login>','0','<length>'". Passwords are sent only as digests.
struct GetUserStatement
{
    // The new-password text that stands for "no new password".
    static QString noNewPassword() { return QStringLiteral("NULL"); }

    QString login;
    QString password;
    QString newPassword = noNewPassword();
    QString ip;
    QString computerName;

    // Texts typed or looked up have their single quotes doubled, so that they stay one literal.
    QString text() const;
};

} // namespace zeb
