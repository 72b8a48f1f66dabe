#include "AccountRepair.h"
#include "AdminAccount.h"
#include "Arguments.h"
#include "Commands.h"
#include "Console.h"
#include "PgOldLogins.h"

namespace zeb {

int runAccounts(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("admin-user")});
    const QString action = arguments.positional().value(0);
    if (action != QLatin1String("repair")) {
        if (action.isEmpty())
            throw UsageError(QStringLiteral("не указано действие: repair."));
        throw UsageError(QStringLiteral("неизвестное действие «%1»: ожидается repair.").arg(action));
    }
    arguments.expectPositional({QStringLiteral("действие"), QStringLiteral("папка установки DIR")});

    const ServerAccount admin = adminAccount(arguments, installedEngine(arguments.positional().at(1)));
    if (repairAccounts(arguments.positional().at(1), admin) == AccountRepairResult::NothingToRepair) {
        console::print(QStringLiteral(
            "Встроенная база данных не имеет учётных записей сервера: восстанавливать нечего."));
        return 0;
    }
    console::print(QStringLiteral("Учётные записи сервера восстановлены: вход с учётной записью файла "
                                  "настроек снова работает."));
    const QStringList orphans = removeOrphanPersonLogins(arguments.positional().at(1), admin);
    if (!orphans.isEmpty())
        console::print(
            QStringLiteral("Удалены учётные записи сервера, которых нет ни у одного пользователя: %1.")
                .arg(orphans.join(QStringLiteral(", "))));
    return 0;
}

} // namespace zeb
