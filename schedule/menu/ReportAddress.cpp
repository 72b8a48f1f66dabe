#include "schedule/menu/ReportAddress.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"

namespace zeb {

QString reportAddress(Dataset& scratch)
{
    scratch.close();
    scratch.setSql(QStringLiteral("Select *  FROM [ZEB].[dbo].[VuzDefaults] Where id_vuz_defaults=22"));
    scratch.open();
    const QString base =
        scratch.isEmpty() ? QString() : scratch.fieldByName(QStringLiteral("n_field"))->asString();
    if (base.trimmed().isEmpty())
        return {};
    return base + QStringLiteral("/ZEB2.html");
}

} // namespace zeb
