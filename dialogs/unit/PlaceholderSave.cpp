#include "dialogs/unit/PlaceholderSave.h"

#include "controls/DBLookupComboBox.h"
#include "data/dataset/Dataset.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"

namespace zeb::unit {

bool savePlaceholderLine(QWidget& dialog, const DBLookupComboBox& choice, Dataset& insert,
                         const std::function<QString()>& statement)
{
    if (choice.text().isEmpty()) {
        Platform::instance().messageBox(&dialog, QStringLiteral("Вы не ввели данные!\rВведите данные!"),
                                        QStringLiteral("Error"), MessageButtons::Ok, MessageIcon::Error);
        return false;
    }
    try {
        insert.setSql(statement());
        insert.execSql();
    } catch (const std::exception& error) {
        showUnhandledError(error);
        return false;
    }
    return true;
}

} // namespace zeb::unit
