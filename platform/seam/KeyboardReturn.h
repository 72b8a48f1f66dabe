#pragma once

class QWidget;

namespace zeb {

// After a box or dialog has gone: the keyboard goes back to the window it stood in front of, unless another
// window has taken it meanwhile. A window manager does that itself; without one nothing would, and the keys
// typed next would go nowhere.
void handKeyboardBack(const QWidget& closed);

} // namespace zeb
