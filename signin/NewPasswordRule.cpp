#include "signin/NewPasswordRule.h"

#include <algorithm>

namespace zeb {

bool isNewPasswordCharacter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'_';
}

QString newPasswordTooShortMessage()
{
    return QStringLiteral(
        "Пароль должен состоять не менее чем из 6 символов!!!\rВведите новый пароль заново.");
}

QString newPasswordRefusal(const QString& password)
{
    if (!std::all_of(password.begin(), password.end(), isNewPasswordCharacter))
        return QStringLiteral("Пароль должен состоять только из латинских букв, цифр и знака «_».");
    if (password.size() < minimumNewPasswordLength)
        return newPasswordTooShortMessage();
    return QString();
}

} // namespace zeb
