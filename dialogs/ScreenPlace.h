#pragma once

class QWidget;

namespace zeb {

// Moves a window shown at its design place as little as needed to lie wholly on its screen, so that the
// buttons along its bottom stay reachable on a small screen.
void keepOnScreen(QWidget& window);

} // namespace zeb
