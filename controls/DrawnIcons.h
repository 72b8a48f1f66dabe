#pragma once

#include <QIcon>

namespace zeb {

// Button pictures drawn rather than taken from the style, which may have no such icons.
QIcon plusSign();
QIcon minusSign();
QIcon upTriangle();
// Green: save.
QIcon checkMark();
// Red: cancel.
QIcon cross();

} // namespace zeb
