#pragma once

#include <QString>

namespace zeb {

// The program's texts break lines with a bare carriage return; Qt's labels break only at a line feed.
// Only what is shown changes: callers keep and compare the original text.
QString displayText(const QString& text);

} // namespace zeb
