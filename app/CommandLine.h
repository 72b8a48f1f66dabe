#pragma once

#include <QStringList>
#include <optional>

namespace zeb {

// The client's command line: --help and --version, nothing else. Returns the exit code when the program
// ends here, having printed the help, the version or, with refuseUnknown, what it did not understand;
// std::nullopt when the program starts. Without refuseUnknown an unknown word starts the program, so that
// the window system's own options (-platform, -display, …) can be taken by the application object first.
std::optional<int> answerCommandLine(const QStringList& arguments, bool refuseUnknown);

} // namespace zeb
