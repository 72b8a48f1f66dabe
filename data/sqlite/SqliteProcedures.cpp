#include "data/sqlite/SqliteProcedures.h"

#include "data/DatabaseError.h"

namespace zeb::sqliteprocedures {

namespace {

qsizetype parameterIndex(const QStringList& parameters, const QString& name)
{
    for (qsizetype i = 0; i < parameters.size(); ++i) {
        if (parameters.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

} // namespace

Procedure find(const QString& name)
{
    if (name.compare(QLatin1String("GET_USER"), Qt::CaseInsensitive) == 0)
        return &getUser;
    if (name.compare(QLatin1String("CopyKafedraOnKafedra"), Qt::CaseInsensitive) == 0)
        return &copyKafedraOnKafedra;
    return nullptr;
}

QVariantList orderArguments(const QString& procedure, const QStringList& parameters,
                            const QList<ProcedureArgument>& arguments)
{
    if (arguments.size() > parameters.size())
        throw DatabaseError(
            QStringLiteral("Процедуре %1 передано слишком много аргументов: %2, ожидается %3.")
                .arg(procedure)
                .arg(arguments.size())
                .arg(parameters.size()));
    QVariantList ordered(parameters.size());
    QList<bool> given(parameters.size(), false);
    bool namedSeen = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const ProcedureArgument& argument = arguments.at(i);
        qsizetype index = i;
        if (argument.name.isEmpty()) {
            if (namedSeen)
                throw DatabaseError(
                    QStringLiteral("Процедура %1: позиционный аргумент не может следовать за именованным.")
                        .arg(procedure));
        } else {
            namedSeen = true;
            index = parameterIndex(parameters, argument.name);
            if (index < 0)
                throw DatabaseError(
                    QStringLiteral("@%1 не является параметром процедуры %2.").arg(argument.name, procedure));
        }
        if (given.at(index))
            throw DatabaseError(QStringLiteral("Параметр @%1 процедуры %2 указан более одного раза.")
                                    .arg(parameters.at(index), procedure));
        given[index] = true;
        ordered[index] = argument.value;
    }
    const qsizetype missing = given.indexOf(false);
    if (missing >= 0)
        throw DatabaseError(QStringLiteral("Процедура %1 ожидает параметр @%2, который не был указан.")
                                .arg(procedure, parameters.at(missing)));
    return ordered;
}

} // namespace zeb::sqliteprocedures
