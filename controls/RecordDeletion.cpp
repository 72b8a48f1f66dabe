#include "controls/RecordDeletion.h"

#include "data/dataset/Dataset.h"
#include "platform/seam/ErrorDisplayApplication.h"
#include "platform/seam/Platform.h"

namespace zeb::recorddeletion {

void askAndDelete(QWidget* owner, Dataset& dataset, const QList<QByteArray>& rows)
{
    if (!dataset.isActive() || dataset.isEmpty())
        return;
    const bool many = rows.size() >= 2;
    const QString question =
        many ? QStringLiteral("Delete all selected records?") : QStringLiteral("Delete record?");
    if (Platform::instance().messageBox(owner, question, QStringLiteral("Confirm"), MessageButtons::OkCancel,
                                        MessageIcon::Question) != MessageAnswer::Ok)
        return;
    try {
        if (!many) {
            dataset.remove();
            return;
        }
        for (const QByteArray& bookmark : rows) {
            dataset.gotoBookmark(bookmark);
            dataset.remove();
        }
    } catch (const std::exception& error) {
        showUnhandledError(error);
    }
}

} // namespace zeb::recorddeletion
