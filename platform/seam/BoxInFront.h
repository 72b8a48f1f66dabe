#pragma once

class QDialog;
class QObject;
class QWidget;

namespace zeb {

// A box run in front of the program's windows by the program itself rather than by the window system's
// modality. Qt blocks every other window the moment a modal box is shown and silently drops the keys the
// window system still sends them until the box has the keyboard: a value typed on right after Tab would
// vanish. Here no key is dropped (TypeaheadHold decides where each goes), while the other windows take no
// click, wheel or close, and one of them that becomes active hands the activation back to the box.
namespace BoxInFront {

// Shows `box` above its parent, gives it the keyboard, and returns its result once it is finished (or hidden,
// or every event loop was told to exit). The window the box came from gets the activation back.
int run(QDialog& box);

// The innermost box running, or null.
QWidget* current();

// Whether `receiver`, a widget or a window, is `box` or part of it.
bool belongsTo(const QObject* receiver, const QWidget* box);

// Rejects every box running, innermost first.
void rejectAll();

} // namespace BoxInFront

} // namespace zeb
