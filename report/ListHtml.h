#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

namespace zeb::listhtml {

// The pieces of the HTML pages of the lists the office makes beside the staff schedule (the vacancies, the
// changes over a period): one style, texts escaped, staff units written the Russian way.

// The page up to its body's first lines: the institution, the title as the heading and `subtitle` under it.
void begin(QString& html, const QString& title, const QString& institution, const QString& subtitle);
void end(QString& html);
// A table's header row and the start of its body.
void headings(QString& html, std::initializer_list<QStringView> titles);
void headings(QString& html, const QStringList& titles);
// Line breaks in the text are kept.
void textCell(QString& html, const QString& text, int span = 1);
// Staff units in hundredths: "1,25".
void numberCell(QString& html, qint64 hundredths);
// The same with its sign: "+1,25", "-0,5".
void signedNumberCell(QString& html, qint64 hundredths);
// A row naming a unit across `span` columns.
void unitRow(QString& html, const QString& unit, int span);

} // namespace zeb::listhtml
