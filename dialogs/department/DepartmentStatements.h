#pragma once

#include "dialogs/SessionIdentity.h"

#include <QString>

namespace zeb::department {

// The texts of the department copy and removal, exactly as an existing server expects them. Every text
// of the user or the workstation enters a statement as a literal, its single quotes doubled.

QString copyStatement(qint64 source, qint64 target, const QString& login, const QString& computerName,
                      const QString& ip);
QString removalStatement(const QString& id);
QString removalLogStatement(const QString& id, const QString& login, const QString& computerName,
                            const QString& ip);

QString copyConfirmation(const QString& sourceName, const QString& targetText);
QString removalConfirmation(const QString& departmentName);
QString removalFailure(const QString& reason);

} // namespace zeb::department
