#include "report/ListFile.h"

#include "platform/Error.h"
#include "report/SavedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QIODevice>

namespace zeb {

namespace {

QString extensionOf(const QString& path)
{
    return QFileInfo(path).suffix().toLower();
}

} // namespace

void checkListFile(const QString& path, const QString& document)
{
    const QString extension = extensionOf(path);
    if (extension != QLatin1String("pdf") && extension != QLatin1String("html") &&
        extension != QLatin1String("htm") && extension != QLatin1String("xlsx"))
        throw Error(QStringLiteral("%1 записываются в файл .pdf, .xlsx, .html или .htm, а не «%2».")
                        .arg(document, QDir::toNativeSeparators(path)));
}

void writeListFile(const QString& path, const QString& document, const std::function<QString()>& html,
                   const std::function<void(const QString& path)>& writeXlsx,
                   const std::function<void(const QString& path)>& writePdf)
{
    checkListFile(path, document);
    const QString extension = extensionOf(path);
    if (extension == QLatin1String("xlsx")) {
        writeXlsx(path);
        return;
    }
    if (extension == QLatin1String("pdf")) {
        writePdf(path);
        return;
    }
    const QByteArray page = html().toUtf8();
    saveFile(path, [&](QIODevice& file) { file.write(page); });
}

} // namespace zeb
