#include "dialogs/department/DepartmentRemoval.h"

#include "data/Connection.h"
#include "data/Engine.h"
#include "data/Transaction.h"
#include "data/dataset/Dataset.h"
#include "dialogs/department/DepartmentStatements.h"
#include "platform/Error.h"

namespace zeb::department {

void removeDepartment(Dataset& exec, qint64 id, const QString& logStatement)
{
    Connection& connection = *exec.connection();
    if (!connection.isOpen())
        connection.open();
    Transaction transaction(connection.engine());
    exec.setSql(removalStatement(id));
    if (exec.execSql() == 0)
        throw Error(QStringLiteral("Кафедра с кодом %1 уже удалена другим пользователем.").arg(id));
    exec.setSql(logStatement);
    exec.execSql();
    transaction.commit();
}

} // namespace zeb::department
