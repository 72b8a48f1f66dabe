#include "ErrorDisplayApplication.h"

#include "Error.h"
#include "Platform.h"

namespace zeb {

void showUnhandledError(const std::exception& error)
{
    if (dynamic_cast<const Abort*>(&error))
        return;
    if (const auto* own = dynamic_cast<const Error*>(&error))
        Platform::instance().showError(own->message());
    else
        Platform::instance().showError(QString::fromUtf8(error.what()));
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
