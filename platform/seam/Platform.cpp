#include "Platform.h"

#include "DesktopPlatform.h"

namespace zeb {

namespace {
Platform* installed = nullptr;
}

Platform& Platform::instance()
{
    if (installed)
        return *installed;
    static DesktopPlatform desktop;
    return desktop;
}

void Platform::setInstance(Platform* platform)
{
    installed = platform;
}

} // namespace zeb
