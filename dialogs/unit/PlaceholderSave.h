#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace zeb {

class DBLookupComboBox;
class Dataset;

namespace unit {

// The save of the add dialogs: refuses an empty choice with the message the users know, then runs the
// placeholder line's statement through `insert`. A failure is reported and nothing is written. True when
// the line was inserted.
bool savePlaceholderLine(QWidget& dialog, const DBLookupComboBox& choice, Dataset& insert,
                         const std::function<QString()>& statement);

} // namespace unit
} // namespace zeb
