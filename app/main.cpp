#include "app/CommandLine.h"
#include "platform/LocalTimeZone.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "schedule/StartUp.h"

namespace {

QStringList argumentsOf(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

} // namespace

int main(int argc, char** argv)
{
    // Answered before the application object, which needs a display.
    if (const std::optional<int> answered = zeb::answerCommandLine(argumentsOf(argc, argv), false))
        return *answered;
    zeb::pinLocalTimeZone();
    zeb::ErrorDisplayApplication application(argc, argv);
    // What is left once the application object has taken the window system's options.
    if (const std::optional<int> answered = zeb::answerCommandLine(QCoreApplication::arguments(), true))
        return *answered;
    zeb::prepareApplication();
    zeb::StartUp startUp(QCoreApplication::applicationDirPath());
    return startUp.run();
}
