#pragma once

#include "UpdateSite.h"

#include <QCoreApplication>
#include <QString>

class QLabel;
class QTimer;

namespace zeb {

// The sign-in dialog's exit timer starts with this interval; once it has fired it repeats every 100 ms.
constexpr int updateExitTimerInterval = 2000;

// Fetches "ZEB 7.t" and the new "ZEB 7.exe" (into "tempZEB") from the update server to home, writes the
// script that replaces the executable once the program has ended, starts it and starts exitTimer. When a
// download fails it shows the update server notice and asks the application to terminate. The notice
// label shows the progress text. Raises IoError when a file cannot be written.
void StartUpdate(QLabel& notice, QTimer& exitTimer, const UpdateSite& site = UpdateSite::current());

// The exit timer's handler: asks the application to terminate, from the second tick on every 100 ms.
void ExitTimerTick(QTimer& exitTimer);

// Deletes the update script that an update left in home; none there is no error.
void RemoveLeftoverScript(const QString& home = QCoreApplication::applicationDirPath());

} // namespace zeb
