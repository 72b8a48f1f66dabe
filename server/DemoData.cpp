#include "server/DemoData.h"

#include "data/Engine.h"
#include "data/Transaction.h"
#include "platform/Error.h"
#include "server/DemoChanges.h"
#include "server/DemoFormData.h"
#include "server/DemoOrganisation.h"
#include "server/DemoSchedule.h"
#include "server/DemoStaff.h"
#include "server/DemoUsers.h"
#include "server/NativeTable.h"

#include <QRandomGenerator>

namespace zeb {

namespace {

constexpr quint32 seed = 20240901;

void insertReferenceTables(Engine& engine)
{
    NativeTable(engine, QStringLiteral("vuz"))
        .insertNames(QStringLiteral("id_vuz"), QStringLiteral("v2"),
                     {{1, "Верхневолжский государственный университет"},
                      {2, "Заречный филиал Верхневолжского государственного университета"}});
    // Row 22 is where the report pages are; a demo has no report server, so the client shows its own report.
    NativeTable(engine, QStringLiteral("VuzDefaults"))
        .insert({QStringLiteral("id_vuz_defaults"), QStringLiteral("n_field")}, {22, QVariant()});
}

} // namespace

void DemoData::fill(Engine& engine)
{
    QRandomGenerator random(seed);
    Transaction transaction(engine);
    insertReferenceTables(engine);
    const DemoOrganisation organisation = insertDemoOrganisation(engine);
    const QList<DemoLine> lines = insertDemoSchedule(engine, organisation, random);
    // The vacancies' showcase is dated around the day the demo is made, so that the client shows it today.
    insertDemoStaff(engine, lines, random, QDate::currentDate());
    insertDemoChanges(engine, organisation, lines, random, QDate::currentDate());
    insertDemoFormData(engine, organisation);
    insertDemoUsers(engine);
    transaction.commit();
}

} // namespace zeb
