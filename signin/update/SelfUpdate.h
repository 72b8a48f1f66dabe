#pragma once

#include "signin/update/UpdateSite.h"

#include <QCoreApplication>
#include <QString>

class QLabel;
class QTimer;

namespace zeb {

// The sign-in dialog's exit timer starts with this interval; once it has fired it repeats every 100 ms.
constexpr int updateExitTimerInterval = 2000;
// The longest answers taken: "ZEB 7.t" only has to be there, and a build is some tens of megabytes; a
// server sending more would only fill the disk.
constexpr qint64 maxFirstDownloadBytes = 1024 * 1024;
constexpr qint64 maxProgramBytes = 512 * 1024 * 1024;

// Fetches "ZEB 7.t" and the new "ZEB 7.exe" (into "tempZEB") from the update server to home and, only when
// the new executable's SHA-256 is publishedDigest, writes the script that replaces the executable once the
// program has ended, starts it and starts exitTimer. Otherwise it shows why in a box and asks the
// application to terminate: a failed download (nothing of it stays, nor "tempZEB"), an answer longer than
// the bounds above, or a download that is not the published build or has no published digest to match (it
// is deleted). The notice label shows the progress text. Raises IoError when a file cannot be written or
// read.
// Returns false when the installation is not the user's to replace (updateRefusal): then nothing is fetched,
// the box names the published build and the administrator, and the program goes on with the running build.
bool startSelfUpdate(QLabel& notice, QTimer& exitTimer, const QString& publishedDigest, qint64 publishedBuild,
                     const UpdateSite& site = UpdateSite::current());

// The exit timer's handler: asks the application to terminate, from the second tick on every 100 ms.
void exitWhenUpdateStarted(QTimer& exitTimer);

// Deletes the update script that an update left in home; none there is no error.
void removeLeftoverScript(const QString& home = QCoreApplication::applicationDirPath());

} // namespace zeb
