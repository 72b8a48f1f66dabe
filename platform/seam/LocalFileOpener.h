#pragma once

#include <QString>

namespace zeb {

// Opens a local file in the desktop's application for its type; false when the desktop has none, so that
// the caller can say where the file is. Waits at most a few seconds for the desktop's answer.
bool openLocalFile(const QString& path);

} // namespace zeb
