#include "dialogs/unit/PlaceholderLines.h"

#include "data/TsqlText.h"

namespace zeb::unit {

QString divisionLine(DivisionPlace place, const QVariant& division, const QVariant& parent)
{
    switch (place) {
    case DivisionPlace::SubLevel:
        return QStringLiteral("Insert into Vakansii (id_post, id_Otdel_11,id_Otdel_1 ) values(1, ") +
               decimalKey(division) + u',' + decimalKey(parent) + u')';
    case DivisionPlace::LevelTwo:
        return QStringLiteral("Insert into Vakansii (id_post, id_Otdel_2,id_faculty) values(1, ") +
               decimalKey(division) + u',' + decimalKey(parent) + u')';
    case DivisionPlace::FirstLevel:
        break;
    }
    return QStringLiteral("Insert into Vakansii (id_post, id_Otdel_1) values(1,") + decimalKey(division) +
           u')';
}

QString departmentLine(const QVariant& department, const QVariant& faculty)
{
    return QStringLiteral("Insert into Vakansii (id_post, id_kafedra,id_faculty) values(1,") +
           decimalKey(department) + u',' + decimalKey(faculty) + u')';
}

} // namespace zeb::unit
