#include "platform/seam/ErrorDisplayApplication.h"
#include "schedule/StartUp.h"
#include "bench/StartupProbe.h"

// The client's own start-up, ended when the sign-in dialog shows.
int main(int argc, char** argv)
{
    zeb::ErrorDisplayApplication application(argc, argv);
    ShownWindowProbe probe("zeb::SignInDialog");
    application.installEventFilter(&probe);
    zeb::prepareApplication();
    zeb::StartUp startUp(QCoreApplication::applicationDirPath());
    return startUp.run();
}
