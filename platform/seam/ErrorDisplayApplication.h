#pragma once

#include <QApplication>
#include <exception>

namespace zeb {

// Shows an error that no handler caught in the platform's error box; Abort passes silently.
void showUnhandledError(const std::exception& error);

// A handler for a signal: its errors reach the application's error display, its remaining steps do not
// run, and no exception passes through the signal.
template <typename Handler> auto guarded(Handler handler)
{
    return [handler](auto&&... arguments) {
        try {
            handler(arguments...);
        } catch (const std::exception& error) {
            showUnhandledError(error);
        }
    };
}

// The application object of the program: an error escaping an event handler is shown and the event
// counts as handled, so the window that raised it stays usable.
class ErrorDisplayApplication : public QApplication
{
    Q_OBJECT

public:
    ErrorDisplayApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace zeb
