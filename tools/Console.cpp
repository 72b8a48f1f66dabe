#include "Console.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdio>

namespace zeb::console {

QFile& output()
{
    static QFile file;
    if (!file.isOpen())
        file.open(stdout, QIODevice::WriteOnly);
    return file;
}

void print(const QString& line)
{
    output().write((line + QLatin1Char('\n')).toUtf8());
    output().flush();
}

void printError(const QString& message)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    const QString oneLine = message.trimmed().replace(lineBreaks, QStringLiteral(" "));
    const QByteArray bytes = (QStringLiteral("zeb7-admin: ") + oneLine + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

} // namespace zeb::console
