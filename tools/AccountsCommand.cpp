#include "server/AccountRepair.h"
#include "tools/AdminAccount.h"
#include "server/AdminEngine.h"
#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "server/PgOldLogins.h"
#include "server/SqliteSchemaRepair.h"

namespace zeb {

namespace {

// The embedded engine has no server accounts; what a client could once add to the file is removed.
int repairEmbedded(const QString& directory, const ServerAccount& admin)
{
    const QStringList changes = repairSqliteSchema(*openAdminEngine(directory, admin));
    if (changes.isEmpty()) {
        console::print(QStringLiteral(
            "Встроенная база данных не имеет учётных записей сервера: восстанавливать нечего."));
        return 0;
    }
    for (const QString& change : changes)
        console::print(change);
    console::print(QStringLiteral("Схема встроенной базы данных восстановлена."));
    return 0;
}

} // namespace

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

    const QString directory = arguments.positional().at(1);
    const EngineKind engine = installedEngine(directory);
    const ServerAccount admin = adminAccount(arguments, engine);
    if (engine == EngineKind::Sqlite)
        return repairEmbedded(directory, admin);
    repairAccounts(directory, admin);
    console::print(QStringLiteral("Учётные записи сервера восстановлены: вход с учётной записью файла "
                                  "настроек снова работает."));
    const QStringList orphans = removeOrphanPersonLogins(directory, admin);
    if (!orphans.isEmpty())
        console::print(
            QStringLiteral("Удалены учётные записи сервера, которых нет ни у одного пользователя: %1.")
                .arg(orphans.join(QStringLiteral(", "))));
    return 0;
}

} // namespace zeb
