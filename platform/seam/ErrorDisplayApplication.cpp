#include "platform/seam/ErrorDisplayApplication.h"

#include "platform/Error.h"
#include "platform/seam/Platform.h"

namespace zeb {

void showUnhandledError(const std::exception& error)
{
    if (dynamic_cast<const Abort*>(&error))
        return;
    Platform::instance().showError(errorMessage(error));
}

ErrorDisplayApplication::ErrorDisplayApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ErrorDisplayApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
    return true;
}

} // namespace zeb
