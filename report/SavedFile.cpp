#include "SavedFile.h"

#include "Error.h"

#include <QDir>
#include <QSaveFile>

namespace zeb {

void saveFile(const QString& path, const std::function<void(QIODevice&)>& write)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        write(file);
        if (file.commit())
            return;
    }
    throw IoError(QStringLiteral("Не удалось записать файл «%1»: %2")
                      .arg(QDir::toNativeSeparators(path), file.errorString()));
}

} // namespace zeb
