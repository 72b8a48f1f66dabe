#include "platform/seam/ModalDialogs.h"

#include <QApplication>
#include <QDialog>
#include <QList>
#include <QPointer>

namespace zeb {

void rejectModalDialogs()
{
    // Closing one window may destroy others (a dialog owning a box), hence guarded pointers.
    QList<QPointer<QWidget>> modal;
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (window->isVisible() && window->isModal())
            modal.append(window);
    }
    for (const QPointer<QWidget>& window : modal) {
        if (!window)
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(window.data()))
            dialog->done(QDialog::Rejected);
        else
            window->close();
    }
}

} // namespace zeb
