#include "Arguments.h"
#include "Commands.h"
#include "Console.h"
#include "Usage.h"

#include <QCoreApplication>

namespace {

int dispatch(const QStringList& words)
{
    using namespace zeb;
    if (words.isEmpty())
        throw UsageError(QStringLiteral("не указана команда (init, settings, user, query)."));
    const QString& command = words.first();
    const QStringList rest = words.mid(1);
    if (command == QLatin1String("--help") || command == QLatin1String("-h") ||
        command == QLatin1String("help")) {
        console::print(usageText());
        return 0;
    }
    if (rest.contains(QLatin1String("--help"))) {
        console::print(usageText());
        return 0;
    }
    if (command == QLatin1String("init"))
        return runInit(rest);
    if (command == QLatin1String("settings"))
        return runSettings(rest);
    if (command == QLatin1String("user"))
        return runUser(rest);
    if (command == QLatin1String("query"))
        return runQuery(rest);
    throw UsageError(QStringLiteral("неизвестная команда «%1».").arg(command));
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    try {
        return dispatch(app.arguments().mid(1));
    } catch (const zeb::UsageError& error) {
        zeb::console::printError(error.message() + QStringLiteral(" Справка: zeb7-admin --help"));
        return 2;
    } catch (const zeb::Error& error) {
        zeb::console::printError(error.message());
    } catch (const std::exception& error) {
        zeb::console::printError(QString::fromLocal8Bit(error.what()));
    }
    return 1;
}
