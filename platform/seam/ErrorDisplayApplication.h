#pragma once

#include <QApplication>
#include <exception>

namespace zeb {

// Shows an error that no handler caught in the platform's error box; Abort passes silently.
void showUnhandledError(const std::exception& error);

// Runs `action`; an error it raises is shown in the platform's error box (Abort silently) and the remaining
// steps of `action` do not run. True when `action` ran to its end.
template <typename Action> bool showingErrors(Action&& action)
{
    try {
        action();
        return true;
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return false;
    }
}

// A handler for a signal: run showing its errors, so that no exception passes through the signal.
template <typename Handler> auto guarded(Handler handler)
{
    return [handler](auto&&... arguments) { showingErrors([&] { handler(arguments...); }); };
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
