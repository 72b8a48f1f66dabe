#pragma once

#include <QApplication>
#include <exception>

namespace zeb {

// Shows an error that no handler caught in the platform's error box; Abort passes silently.
void showUnhandledError(const std::exception& error);

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
