#pragma once

#include "tests/schedule/MainWindowRig.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <functional>

namespace zeb {

// Queues the next modal run: the dialog is shown and made active as its modal loop would, `work` drives
// it, and it is then closed from its title bar unless `work` closed it already.
template <typename Dialog> void whenShown(MainWindowRig& rig, std::function<void(Dialog&)> work)
{
    rig.platform.queueModal([work = std::move(work)](QDialog& shown) {
        auto& dialog = static_cast<Dialog&>(shown);
        dialog.show();
        QApplication::setActiveWindow(&dialog);
        if (!QTest::qWaitForWindowActive(&dialog))
            qWarning("The dialog did not become active.");
        work(dialog);
        if (dialog.isVisible())
            dialog.close();
        return dialog.result() == QDialog::Accepted ? ModalResult::Ok : ModalResult::Cancel;
    });
}

} // namespace zeb
