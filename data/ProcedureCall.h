#pragma once

#include <QList>
#include <QString>
#include <QVariant>

namespace zeb {

// One argument of EXEC: name without the '@' (empty when positional) and its literal value
// (qint64, double, QString, or a null QVariant for NULL).
struct ProcedureArgument
{
    QString name;
    QVariant value;
};

// A stored-procedure call as written after EXEC.
struct ProcedureCall
{
    QString name;
    QList<ProcedureArgument> arguments;
};

} // namespace zeb
