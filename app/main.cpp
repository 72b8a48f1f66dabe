#include "ErrorDisplayApplication.h"
#include "StartUp.h"

int main(int argc, char** argv)
{
    zeb::ErrorDisplayApplication application(argc, argv);
    zeb::prepareApplication();
    zeb::StartUp startUp(QCoreApplication::applicationDirPath());
    return startUp.run();
}
