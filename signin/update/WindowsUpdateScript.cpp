#include "signin/update/WindowsUpdateScript.h"

#include "platform/Cp1251.h"

#include <QRegularExpression>
#include <QStringList>

namespace zeb {

QString windowsUpdateScriptText()
{
    const QStringList lines = {
        QStringLiteral("@ECHO OFF"),
        QStringLiteral("SET ZEB_PROG=ZEB 7"),
        QStringLiteral("SET ZEB_HOME=%CD%"),
        QStringLiteral("SET ZEB_TEMP=%ZEB_HOME%\\tempZEB"),
        QStringLiteral(":do_del"),
        QStringLiteral("DEL /Q \"%ZEB_HOME%\\%ZEB_PROG%.exe\""),
        QStringLiteral("IF EXIST \"%ZEB_HOME%\\%ZEB_PROG%.exe\" GOTO do_del"),
        QStringLiteral("COPY \"%ZEB_TEMP%\\%ZEB_PROG%.exe\" \"%ZEB_HOME%\\%ZEB_PROG%.exe\""),
        QStringLiteral("RD /S /Q \"%ZEB_TEMP%\""),
        QStringLiteral("\"%ZEB_HOME%\\%ZEB_PROG%.exe\""),
    };
    return lines.join(QLatin1Char('\r'));
}

QByteArray windowsUpdateScriptFile()
{
    // Saved as a list of lines: split at CR LF, CR or LF, each line written with CR LF after it.
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    QStringList lines = windowsUpdateScriptText().split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    QByteArray bytes;
    for (const QString& line : lines)
        bytes += cp1251::encode(line) + "\r\n";
    return bytes;
}

} // namespace zeb
