#pragma once

class QKeyEvent;

namespace zeb {

// Whether a new-password field takes a key: a typed character must be a Latin letter, a digit or "_";
// backspace, tab, Escape (which cancels the dialog) and keys that type nothing (arrows, Delete, Home...)
// pass. Everything else typed (Cyrillic, blanks, punctuation, control characters) is dropped. Pasted text is
// not filtered.
bool acceptsNewPasswordKey(const QKeyEvent& event);

} // namespace zeb
