#pragma once

#include <QString>

class QFile;

namespace zeb::console {

// Standard output for results; bytes are written as they are given. Flush after writing.
QFile& output();
// A line of text on standard output, UTF-8.
void print(const QString& line);
// A message on standard error as one line, prefixed with the tool's name; the line breaks of an
// engine's message are joined with blanks.
void printError(const QString& message);

// A password from standard input, UTF-8, without its line break. On a terminal the prompt goes to standard
// error and what is typed is not shown; otherwise one line is read, so that a script can pipe it in. Raises
// UsageError naming `what` when the input ends before a line.
QString readPassword(const QString& prompt, const QString& what);

} // namespace zeb::console
