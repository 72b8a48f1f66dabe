#include "tools/AdminAccount.h"
#include "server/AdminEngine.h"
#include "tools/Arguments.h"
#include "server/BuildPublisher.h"
#include "tools/Commands.h"
#include "tools/Console.h"

namespace zeb {

int runPublish(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("build"), QStringLiteral("admin-user")});
    arguments.expectPositional(
        {QStringLiteral("папка установки DIR"), QStringLiteral("файл программы FILE")});
    std::optional<int> build;
    if (arguments.has(QStringLiteral("build"))) {
        build = arguments.integer(QStringLiteral("build"), 0);
        if (*build < 1)
            throw UsageError(QStringLiteral("номер сборки --build должен быть положительным: «%1».")
                                 .arg(arguments.value(QStringLiteral("build"))));
    }

    const ServerAccount admin = adminAccount(arguments, installedEngine(arguments.positional().at(0)));
    const std::unique_ptr<Engine> engine = openAdminEngine(arguments.positional().at(0), admin);
    const PublishedBuild published = BuildPublisher(*engine).publish(arguments.positional().at(1), build);
    engine->close();
    console::print(QStringLiteral("Опубликована сборка %1.").arg(published.build));
    console::print(QStringLiteral("SHA-256: ") + published.digest);
    return 0;
}

} // namespace zeb
