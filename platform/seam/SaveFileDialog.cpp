#include "platform/seam/SaveFileDialog.h"

#include <QFileDialog>
#include <QFileInfo>

namespace zeb {

QString askSaveFileName(QWidget* owner, const QString& caption, const QString& proposedPath,
                        const QString& filter)
{
    const QFileInfo proposed(proposedPath);
    QFileDialog dialog(owner, caption, proposed.absolutePath(), filter);
    dialog.setObjectName(QStringLiteral("SaveFileDialog"));
    // Qt's dialog rather than the desktop's, so that every text in it is Russian.
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::DontConfirmOverwrite);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(proposed.suffix());
    dialog.setLabelText(QFileDialog::LookIn, QStringLiteral("Папка:"));
    dialog.setLabelText(QFileDialog::FileName, QStringLiteral("Имя файла:"));
    dialog.setLabelText(QFileDialog::FileType, QStringLiteral("Тип файла:"));
    dialog.setLabelText(QFileDialog::Accept, QStringLiteral("Сохранить"));
    dialog.setLabelText(QFileDialog::Reject, QStringLiteral("Отмена"));
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

} // namespace zeb
