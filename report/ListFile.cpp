#include "report/ListFile.h"

#include "platform/Error.h"
#include "report/SavedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zeb {

namespace {

bool isXlsx(const QString& path)
{
    return QFileInfo(path).suffix().toLower() == QLatin1String("xlsx");
}

} // namespace

void checkListFile(const QString& path, const QString& document)
{
    const QString extension = QFileInfo(path).suffix().toLower();
    if (extension != QLatin1String("html") && extension != QLatin1String("htm") && !isXlsx(path))
        throw Error(QStringLiteral("%1 записываются в файл .xlsx, .html или .htm, а не «%2».")
                        .arg(document, QDir::toNativeSeparators(path)));
}

void writeListFile(const QString& path, const QString& document, const std::function<QString()>& html,
                   const std::function<void(const QString& path)>& writeXlsx)
{
    checkListFile(path, document);
    if (isXlsx(path)) {
        writeXlsx(path);
        return;
    }
    const QByteArray page = html().toUtf8();
    saveFile(path, [&](QIODevice& file) { file.write(page); });
}

} // namespace zeb
