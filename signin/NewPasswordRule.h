#pragma once

#include <QString>

namespace zeb {

// A new password as the sign-in dialog takes it: Latin letters, digits and "_", at least six of them.
// The installation tool holds the passwords it sets to the same rule.
constexpr qsizetype minimumNewPasswordLength = 6;

// Whether the new-password fields take this typed character.
bool isNewPasswordCharacter(QChar c);

// The sign-in dialog's answer to a new password shorter than the minimum.
QString newPasswordTooShortMessage();

// Why a password breaks the rule, in the dialog's words; empty when it keeps it.
QString newPasswordRefusal(const QString& password);

} // namespace zeb
