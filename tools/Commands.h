#pragma once

#include <QStringList>

namespace zeb {

// Each command takes the words after its name and returns the exit code; a misunderstood command line
// raises UsageError, any other failure Error.
int runInit(const QStringList& words);
int runSettings(const QStringList& words);
int runUser(const QStringList& words);
int runQuery(const QStringList& words);
int runReport(const QStringList& words);
int runVacancies(const QStringList& words);
int runChanges(const QStringList& words);
int runPublish(const QStringList& words);
int runAccounts(const QStringList& words);
int runForm(const QStringList& words);

} // namespace zeb
