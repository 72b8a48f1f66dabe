#pragma once

#include <QDateTime>
#include <QString>

namespace zeb {

// When this program was built, stamped by the build (SOURCE_DATE_EPOCH pins it for reproducible builds).
QDateTime buildDateTime();

// The sign-in dialog's version label: "V.1   [ <date> <time> ]" with the Russian short date and long time;
// the time is left out when the build was made at exactly midnight.
QString versionLabelText(const QDateTime& built);

} // namespace zeb
