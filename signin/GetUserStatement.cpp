#include "signin/GetUserStatement.h"

#include "credentials/PasswordDigest.h"

namespace zeb {

namespace {

QString quoted(QString text)
{
    return text.replace(QLatin1Char('\''), QStringLiteral("''"));
}

} // namespace

QString GetUserStatement::text() const
{
    const QString newPasswordArgument =
        newPassword == noNewPassword() ? QStringLiteral("NULL")
                                       : QLatin1Char('\'') + passwordDigest(newPassword) + QLatin1Char('\'');
    const QString lengthText = QString::number(newPasswordArgument.size());
    const QString safeLogin = quoted(login);

    return QStringLiteral("EXEC GET_USER '") + safeLogin + QStringLiteral("',") + QStringLiteral("'") +
           passwordDigest(password) + QStringLiteral("',") + newPasswordArgument + QStringLiteral(", ") +
           QStringLiteral("'ZEB 7") + QStringLiteral("'") + QStringLiteral(", '") + quoted(ip) +
           QStringLiteral("', ") + QStringLiteral("'") + quoted(computerName) + QStringLiteral("'") +
           QStringLiteral(", '") + safeLogin + QStringLiteral("',") + QStringLiteral("'0',") +
           QStringLiteral("'") + lengthText + QStringLiteral("'");
}

} // namespace zeb
