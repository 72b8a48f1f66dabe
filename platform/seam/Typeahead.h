#pragma once

class QWidget;

namespace zeb {

// Typing ahead while the program asks something. From the moment the program decides to ask until the answer,
// a key goes to the question's box (BoxInFront.h) only when the box uses it (Enter, Escape, Space, the
// arrows, keys with Ctrl or Alt); every other key, every key typed before the box is up or has the keyboard,
// and every key meant for a window behind the box, is kept instead of handled, shortcuts included. Once the
// last hold has ended and the program has finished with the answer, the kept keys go where the keyboard goes
// then (the focused control, or the one focused in the box's window while the window system is still handing
// the focus back), in the order they were typed and ahead of anything typed later: a value typed while the
// question was up lands where the user's typing goes on, not in the grid behind the box and not nowhere.
class TypeaheadHold
{
public:
    // `owner`: the box's owner, whose window the keys are meant for; the active window when null.
    explicit TypeaheadHold(QWidget* owner);
    ~TypeaheadHold();
    TypeaheadHold(const TypeaheadHold&) = delete;
    TypeaheadHold& operator=(const TypeaheadHold&) = delete;
};

} // namespace zeb
