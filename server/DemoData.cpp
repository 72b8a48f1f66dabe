#include "DemoData.h"

#include "DemoOrganisation.h"
#include "DemoSchedule.h"
#include "DemoStaff.h"
#include "DemoUsers.h"
#include "Engine.h"
#include "Error.h"
#include "NativeTable.h"

#include <QRandomGenerator>

namespace zeb {

namespace {

constexpr quint32 seed = 20240901;

struct NamedKey
{
    int key;
    const char* name;
};

void insertNamed(Engine& engine, const char* table, const char* keyColumn, const char* nameColumn,
                 std::initializer_list<NamedKey> rows)
{
    const NativeTable target(engine, QString::fromLatin1(table));
    const QStringList columns{QString::fromLatin1(keyColumn), QString::fromLatin1(nameColumn)};
    for (const NamedKey& row : rows)
        target.insert(columns, {row.key, QString::fromUtf8(row.name)});
}

void insertReferenceTables(Engine& engine)
{
    insertNamed(engine, "vuz", "id_vuz", "v2",
                {{1, "Верхневолжский государственный университет"},
                 {2, "Заречный филиал Верхневолжского государственного университета"}});
    insertNamed(engine, "Enter", "id_enter", "enter",
                {{1, "Штатная"}, {2, "Вакантная"}, {3, "Временная"}, {4, "Совместительство"}});
    insertNamed(engine, "Deduce", "id_deduce", "deduce",
                {{1, "Не выведена"}, {2, "Выведена"}, {3, "Сокращение запланировано"}});
    insertNamed(engine, "Structure", "id_structure", "Structure",
                {{1, "ППС"}, {2, "УВП"}, {3, "АУП"}, {4, "ПОП"}, {5, "Пр."}});
    insertNamed(engine, "bk", "id_bk", "name", {{1, "Бюджет"}, {2, "Внебюдж."}, {3, "Грант"}});
    // Row 22: where the report pages are.
    insertNamed(engine, "VuzDefaults", "id_vuz_defaults", "n_field", {{22, "http://127.0.0.1:8080/reports"}});
}

} // namespace

void DemoData::fill(Engine& engine)
{
    QRandomGenerator random(seed);
    engine.beginTransaction();
    try {
        insertReferenceTables(engine);
        const DemoOrganisation organisation = insertDemoOrganisation(engine);
        const QList<DemoLine> lines = insertDemoSchedule(engine, organisation, random);
        insertDemoStaff(engine, lines, random);
        insertDemoUsers(engine);
        engine.commit();
    } catch (...) {
        try {
            engine.rollback();
        } catch (const Error&) {
            // The first failure is the one worth reporting.
        }
        throw;
    }
}

} // namespace zeb
