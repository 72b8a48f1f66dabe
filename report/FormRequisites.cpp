#include "report/FormRequisites.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"
#include "platform/Error.h"

namespace zeb {

namespace {

QString requisitesTable(Engine& engine)
{
    return engine.dialect().clientTable(QStringLiteral("Rekvizity"));
}

// NULL for an empty text, so that "not set" reads the same on every engine.
QVariant stored(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? QVariant() : QVariant(trimmed);
}

} // namespace

FormRequisites loadFormRequisites(Connection& connection)
{
    return loadFormRequisites(connection.engine());
}

FormRequisites loadFormRequisites(Engine& engine)
{
    const StatementResult result = engine.run(
        QStringLiteral("SELECT okpo, kadry_post, kadry_name, buh_name FROM %1 WHERE id_rekvizity = 1")
            .arg(requisitesTable(engine)));
    FormRequisites requisites;
    if (result.rows->next()) {
        requisites.okpo = result.rows->toText(0).trimmed();
        requisites.hrHeadPosition = result.rows->toText(1).trimmed();
        requisites.hrHeadName = result.rows->toText(2).trimmed();
        requisites.chiefAccountantName = result.rows->toText(3).trimmed();
    }
    return requisites;
}

void saveFormRequisites(Connection& connection, const FormRequisites& requisites)
{
    saveFormRequisites(connection.engine(), requisites);
}

void saveFormRequisites(Engine& engine, const FormRequisites& requisites)
{
    const Dialect& dialect = engine.dialect();
    const StatementResult result =
        engine.run(QStringLiteral("UPDATE %1 SET okpo = %2, kadry_post = %3, kadry_name = %4, buh_name = %5 "
                                  "WHERE id_rekvizity = 1")
                       .arg(requisitesTable(engine), dialect.placeholder(0), dialect.placeholder(1),
                            dialect.placeholder(2), dialect.placeholder(3)),
                   {stored(requisites.okpo), stored(requisites.hrHeadPosition), stored(requisites.hrHeadName),
                    stored(requisites.chiefAccountantName)});
    if (result.rowsAffected == 0)
        throw Error(QStringLiteral("В базе данных нет строки реквизитов формы (таблица Rekvizity): "
                                   "администратору нужно выполнить «zeb7-admin accounts repair»."));
}

} // namespace zeb
