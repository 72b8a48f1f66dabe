#pragma once

#include <QString>

namespace zeb {

// The tool's help text, printed by --help.
QString usageText();

} // namespace zeb
