#pragma once

#include <QStringList>

// The text of each sheet of a PDF file as pdftotext lays it out (poppler-utils); a failure's message
// instead of the text when the tools fail.
QStringList pdfSheetTexts(const QString& pdf);

// Whether `parts` stand in this order on one line of `text`, apart by blanks only.
bool onOneLine(const QString& text, const QStringList& parts);
