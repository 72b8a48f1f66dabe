#include "BaseData.h"

#include "Engine.h"
#include "NativeTable.h"

namespace zeb {

const char* BaseData::placeholderPost()
{
    return "Новая должность";
}

void BaseData::fill(Engine& engine)
{
    NativeTable(engine, QStringLiteral("Enter"))
        .insertNames(QStringLiteral("id_enter"), QStringLiteral("enter"),
                     {{1, "Штатная"}, {2, "Вакантная"}, {3, "Временная"}, {4, "Совместительство"}});
    NativeTable(engine, QStringLiteral("Deduce"))
        .insertNames(QStringLiteral("id_deduce"), QStringLiteral("deduce"),
                     {{1, "Не выведена"}, {2, "Выведена"}, {3, "Сокращение запланировано"}});
    NativeTable(engine, QStringLiteral("Structure"))
        .insertNames(QStringLiteral("id_structure"), QStringLiteral("Structure"),
                     {{1, "ППС"}, {2, "УВП"}, {3, "АУП"}, {4, "ПОП"}, {5, "Пр."}});
    NativeTable(engine, QStringLiteral("bk"))
        .insertNames(QStringLiteral("id_bk"), QStringLiteral("name"),
                     {{1, "Бюджет"}, {2, "Внебюдж."}, {3, "Грант"}});
    NativeTable(engine, QStringLiteral("post"))
        .insert({QStringLiteral("post")}, {QString::fromUtf8(placeholderPost())}, QStringLiteral("id_post"));
}

} // namespace zeb
