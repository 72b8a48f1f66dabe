#include "ErrorDisplayApplication.h"
#include "LocalTimeZone.h"
#include "StartUp.h"

int main(int argc, char** argv)
{
    zeb::pinLocalTimeZone();
    zeb::ErrorDisplayApplication application(argc, argv);
    zeb::prepareApplication();
    zeb::StartUp startUp(QCoreApplication::applicationDirPath());
    return startUp.run();
}
