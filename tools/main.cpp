#include "signin/dialog/VersionLabel.h"
#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "tools/Usage.h"

#include <QGuiApplication>
#include <QLoggingCategory>
#include <memory>

namespace {

int dispatch(const QStringList& words)
{
    using namespace zeb;
    if (words.isEmpty())
        throw UsageError(QStringLiteral(
            "не указана команда (init, settings, user, query, report, vacancies, changes, publish, accounts, "
            "form)."));
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
    if (command == QLatin1String("--version")) {
        console::print(versionLabelText(buildDateTime()));
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
    if (command == QLatin1String("report"))
        return runReport(rest);
    if (command == QLatin1String("vacancies"))
        return runVacancies(rest);
    if (command == QLatin1String("changes"))
        return runChanges(rest);
    if (command == QLatin1String("publish"))
        return runPublish(rest);
    if (command == QLatin1String("accounts"))
        return runAccounts(rest);
    if (command == QLatin1String("form"))
        return runForm(rest);
    throw UsageError(QStringLiteral("неизвестная команда «%1».").arg(command));
}

// The commands that may write a PDF.
bool writesReports(const char* command)
{
    return qstrcmp(command, "report") == 0 || qstrcmp(command, "vacancies") == 0 ||
           qstrcmp(command, "changes") == 0;
}

// A report's PDF needs fonts, which only a GUI application has; the tool never opens a window. The other
// commands do without, and without loading a platform.
std::unique_ptr<QCoreApplication> application(int& argc, char** argv)
{
    if (argc < 2 || !writesReports(argv[1]))
        return std::make_unique<QCoreApplication>(argc, argv);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Setting the platform up notes a missing XDG_RUNTIME_DIR, usual on a server and no concern of the user.
    QLoggingCategory::setFilterRules(QStringLiteral("default.warning=false"));
    auto app = std::make_unique<QGuiApplication>(argc, argv);
    QLoggingCategory::setFilterRules(QString());
    return app;
}

} // namespace

int main(int argc, char** argv)
{
    const std::unique_ptr<QCoreApplication> app = application(argc, argv);
    try {
        return dispatch(app->arguments().mid(1));
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
