#include "platform/LocalTimeZone.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "schedule/StartUp.h"

int main(int argc, char** argv)
{
    zeb::pinLocalTimeZone();
    zeb::ErrorDisplayApplication application(argc, argv);
    zeb::prepareApplication();
    zeb::StartUp startUp(QCoreApplication::applicationDirPath());
    return startUp.run();
}
