#pragma once

#include <QPixmap>

namespace zeb {

// The sign-in dialog's backgrounds, compiled into the program (drawn by make-pictures.sh).
// Upper: 497x278 with the sign-in fields and buttons; lower: 497x139, the password-change area.
QPixmap signInUpperPicture();
QPixmap signInLowerPicture();

} // namespace zeb
