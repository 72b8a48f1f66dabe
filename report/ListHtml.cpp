#include "report/ListHtml.h"

#include "report/vacancy/VacancyFigures.h"

namespace zeb::listhtml {

namespace {

constexpr QStringView style =
    u"body { font-family: 'DejaVu Sans', 'Liberation Sans', Arial, sans-serif; font-size: 8pt; }\n"
    u"h1 { font-size: 13pt; text-align: center; margin: 2pt 0; }\n"
    u"h2 { font-size: 10pt; margin: 10pt 0 2pt 0; }\n"
    u"p { text-align: center; margin: 2pt 0; }\n"
    u"p.note { text-align: left; font-style: italic; }\n"
    u"table { width: 100%; margin-top: 6pt; border-collapse: collapse; }\n"
    u"th, td { border: 1px solid #000000; padding: 1pt 3pt; vertical-align: top; }\n"
    u"th { background-color: #e6e6e6; font-weight: bold; text-align: center; vertical-align: middle; }\n"
    u"td.number { text-align: right; white-space: nowrap; }\n"
    u"tr.unit td { background-color: #f0f0f0; font-weight: bold; }\n"
    u"tr.section td { font-style: italic; }\n"
    u"tr.total td { font-weight: bold; }\n"
    u"tr.grand td { background-color: #e6e6e6; font-weight: bold; }\n";

} // namespace

void begin(QString& html, const QString& title, const QString& institution, const QString& subtitle)
{
    html += u"<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n<title>";
    html += title.toHtmlEscaped();
    html += u"</title>\n<style>\n";
    html += style;
    html += u"</style>\n</head>\n<body>\n<p>";
    html += institution.toHtmlEscaped();
    html += u"</p>\n<h1>";
    html += title.toHtmlEscaped();
    html += u"</h1>\n<p>";
    html += subtitle.toHtmlEscaped();
    html += u"</p>\n";
}

void end(QString& html)
{
    html += u"</body>\n</html>\n";
}

void headings(QString& html, std::initializer_list<QStringView> titles)
{
    QStringList texts;
    for (QStringView title : titles)
        texts.append(title.toString());
    headings(html, texts);
}

void headings(QString& html, const QStringList& titles)
{
    html += u"<thead>\n<tr>";
    for (const QString& title : titles) {
        html += u"<th>";
        html += title.toHtmlEscaped();
        html += u"</th>";
    }
    html += u"</tr>\n</thead>\n<tbody>\n";
}

void textCell(QString& html, const QString& text, int span)
{
    html += span > 1 ? QStringLiteral("<td colspan=\"%1\">").arg(span) : QStringLiteral("<td>");
    QString escaped = text.toHtmlEscaped();
    escaped.replace(u'\n', QStringLiteral("<br>"));
    html += escaped;
    html += u"</td>";
}

void numberCell(QString& html, qint64 hundredths)
{
    html += u"<td class=\"number\">";
    html += hundredthsText(hundredths);
    html += u"</td>";
}

void signedNumberCell(QString& html, qint64 hundredths)
{
    html += u"<td class=\"number\">";
    if (hundredths > 0)
        html += u'+';
    html += hundredthsText(hundredths);
    html += u"</td>";
}

void unitRow(QString& html, const QString& unit, int span)
{
    html += u"<tr class=\"unit\">";
    textCell(html, unit, span);
    html += u"</tr>\n";
}

} // namespace zeb::listhtml
