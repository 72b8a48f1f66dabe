#include "data/rules/SalaryScaleRules.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/Field.h"
#include "platform/Error.h"

namespace zeb {

namespace {

Field& fieldOf(Dataset& scale, const QString& name)
{
    Field* field = scale.fieldByName(name);
    if (!field)
        throw Error(QStringLiteral("В списке окладов нет поля «%1».").arg(name));
    return *field;
}

} // namespace

SalaryScaleRules::SalaryScaleRules(Dataset& scale) : m_scale(scale)
{
    m_scale.beforePost = [](Dataset& rows) { check(rows); };
}

SalaryScaleRules::~SalaryScaleRules()
{
    m_scale.beforePost = nullptr;
}

void SalaryScaleRules::check(Dataset& scale)
{
    const Field& grade = fieldOf(scale, QStringLiteral("razrad"));
    if (grade.isNull())
        throw Error(QStringLiteral("Укажите разряд: оклад записывается для разряда."));
    if (grade.asInteger() < 1)
        throw Error(QStringLiteral("Разряд должен быть целым числом не меньше 1, а указано %1.")
                        .arg(grade.displayText()));
    if (fieldOf(scale, QStringLiteral("date_from")).isNull())
        throw Error(QStringLiteral("Укажите дату, с которой действует оклад (столбец «Действует с»)."));
    const Field& salary = fieldOf(scale, QStringLiteral("oklad"));
    if (salary.isNull())
        throw Error(QStringLiteral("Укажите оклад в рублях (столбец «Оклад, руб.»)."));
    if (salary.asFloat() < 0)
        throw Error(
            QStringLiteral("Оклад не может быть отрицательным, а указано %1 руб.").arg(salary.displayText()));
}

} // namespace zeb
