#include "tests/report/PdfSheets.h"

#include <QProcess>
#include <QRegularExpression>

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return QStringLiteral("%1 failed: %2")
            .arg(program, QString::fromUtf8(process.readAllStandardError()));
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QStringList pdfSheetTexts(const QString& pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch pages =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption)
            .match(info);
    if (!pages.hasMatch())
        return {info};
    // One run for the whole file: pdftotext ends each page with a form feed.
    QStringList sheets =
        run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")})
            .split(QLatin1Char('\f'));
    if (sheets.size() == pages.captured(1).toInt() + 1 && sheets.last().trimmed().isEmpty())
        sheets.removeLast();
    return sheets;
}

bool onOneLine(const QString& text, const QStringList& parts)
{
    QStringList escaped;
    for (const QString& part : parts)
        escaped.append(QRegularExpression::escape(part));
    return QRegularExpression(escaped.join(QStringLiteral("[ \\x{00A0}]+"))).match(text).hasMatch();
}
