#include "platform/seam/Platform.h"

#include "platform/seam/DesktopPlatform.h"
#include "platform/seam/Typeahead.h"

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

MessageAnswer Platform::messageBox(QWidget* owner, const QString& text, const QString& caption,
                                   MessageButtons buttons, MessageIcon icon)
{
    const TypeaheadHold hold(owner);
    return showMessageBox(owner, text, caption, buttons, icon);
}

} // namespace zeb
