#include "schedule/grid/EmployeeCheck.h"

#include "data/dataset/Dataset.h"

namespace zeb {

bool lineHasEmployees(Connection& connection, qint64 lineKey)
{
    Dataset check(QStringLiteral("EmployeeCheck"), &connection);
    check.setSql(QStringLiteral("Select top(1) percent working.* from working  where working.id_vakansiya=") +
                 QString::number(lineKey) + QStringLiteral(" and (id_leave=4 or id_leave is null) "));
    check.open();
    return !check.isEmpty();
}

QString occupiedLineWarning()
{
    return QStringLiteral("Вы не можете удалить данную должность.\rНа этой должности зарегистрированы "
                          "сотрудники!!!");
}

} // namespace zeb
