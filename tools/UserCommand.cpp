#include "tools/AdminAccount.h"
#include "server/AdminEngine.h"
#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "signin/NewPasswordRule.h"
#include "server/UserAdmin.h"

namespace zeb {

namespace {

// The password given after the login, or asked for; held to the rule the sign-in dialog sets for a new one.
QString newPassword(const Arguments& arguments, const QString& login)
{
    const QString password =
        arguments.positional().size() > 3
            ? arguments.positional().at(3)
            : console::readPassword(QStringLiteral("Новый пароль пользователя «%1»: ").arg(login),
                                    QStringLiteral("пароль PASSWORD"));
    if (const QString refusal = newPasswordRefusal(password); !refusal.isEmpty())
        throw Error(refusal);
    return password;
}

} // namespace

int runUser(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("admin-user")}, {QStringLiteral("must-change")});
    const QString action = arguments.positional().value(0);
    const bool withPassword = action == QLatin1String("add") || action == QLatin1String("passwd");
    if (!withPassword && action != QLatin1String("lock") && action != QLatin1String("unlock")) {
        if (action.isEmpty())
            throw UsageError(QStringLiteral("не указано действие: add, passwd, lock или unlock."));
        throw UsageError(
            QStringLiteral("неизвестное действие «%1»: ожидается add, passwd, lock или unlock.").arg(action));
    }
    QStringList expected{QStringLiteral("действие"), QStringLiteral("папка установки DIR"),
                         QStringLiteral("LOGIN")};
    if (withPassword)
        expected.append(QStringLiteral("PASSWORD"));
    arguments.expectPositional(expected, withPassword ? 1 : 0);
    const bool mustChange = arguments.has(QStringLiteral("must-change"));
    if (mustChange && !withPassword)
        throw UsageError(QStringLiteral("параметр --must-change относится только к add и passwd."));

    const QString& login = arguments.positional().at(2);
    const QString password = withPassword ? newPassword(arguments, login) : QString();
    const ServerAccount admin = adminAccount(arguments, installedEngine(arguments.positional().at(1)));
    const std::unique_ptr<Engine> engine = openAdminEngine(arguments.positional().at(1), admin);
    UserAdmin users(*engine);
    if (action == QLatin1String("add")) {
        users.add(login, password, mustChange);
        console::print(QStringLiteral("Пользователь «%1» добавлен.").arg(login));
    } else if (action == QLatin1String("passwd")) {
        users.setPassword(login, password, mustChange);
        console::print(QStringLiteral("Пароль пользователя «%1» изменён.").arg(login));
    } else if (action == QLatin1String("lock")) {
        users.lock(login);
        console::print(QStringLiteral("Пользователь «%1» заблокирован.").arg(login));
    } else {
        users.unlock(login);
        console::print(QStringLiteral("Пользователь «%1» разблокирован.").arg(login));
    }
    engine->close();
    return 0;
}

} // namespace zeb
