#pragma once

#include <QHash>
#include <QStringList>

namespace zeb {

// A SQL Server script as sqlcmd runs it with `-b -v NAME=value`: `:on error exit` lines dropped, every
// `$(NAME)` replaced by its value and the text split into the batches between `GO` lines. Running the
// batches in order, stopping at the first failure, is what a hand run does.
class SqlcmdScript
{
public:
    // Raises Error, naming the script, for a variable without a value, a value that could end a quoted
    // name or literal, or any sqlcmd command the tool does not run.
    static QStringList batches(const QString& name, const QString& text,
                               const QHash<QString, QString>& values);
};

} // namespace zeb
