#include "bench/ScheduleLines.h"

#include "data/module/DataModule.h"
#include "data/Engine.h"
#include "server/NativeTable.h"

#include <QDate>
#include <algorithm>
#include <benchmark/benchmark.h>

using namespace zeb;

namespace {

// Up to this many lines are inserted one by one with varied values; more are copies of them, made by
// the server, so that large units install in seconds on both engines.
constexpr int variedLines = 10000;

const QStringList lineColumns = {
    QStringLiteral("id_otdel_1"),   QStringLiteral("id_post"),  QStringLiteral("q_units"),
    QStringLiteral("razrad"),       QStringLiteral("Num"),      QStringLiteral("id_enter"),
    QStringLiteral("e_n_p"),        QStringLiteral("e_d_p"),    QStringLiteral("id_deduce"),
    QStringLiteral("id_structure"), QStringLiteral("id_bk"),    QStringLiteral("ZEB_User"),
    QStringLiteral("ZEB_Update"),   QStringLiteral("hourFond"), QStringLiteral("descr"),
};

// Posts of mixed case, so that a sort by the post shown must collate.
const char* const postNames[] = {"Профессор",
                                 "доцент",
                                 "Старший преподаватель",
                                 "ассистент",
                                 "Заведующий кафедрой",
                                 "инженер",
                                 "Лаборант",
                                 "методист",
                                 "Декан",
                                 "секретарь",
                                 "Программист",
                                 "бухгалтер"};

QList<qint64> insertPosts(Engine& admin)
{
    const NativeTable posts(admin, QStringLiteral("post"));
    QList<qint64> keys;
    for (const char* name : postNames)
        keys.append(
            posts.insert({QStringLiteral("post")}, {QString::fromUtf8(name)}, QStringLiteral("id_post")));
    return keys;
}

// Copies the first `copies` lines of the division with their numbers moved past the `present` lines.
void copyLines(Engine& admin, const NativeTable& lines, int present, int copies)
{
    QStringList names;
    QStringList sources;
    for (const QString& column : lineColumns) {
        names.append(lines.column(column));
        sources.append(column == QLatin1String("Num")
                           ? lines.column(column) + QStringLiteral(" + %1").arg(present)
                           : lines.column(column));
    }
    admin.run(QStringLiteral("INSERT INTO %1 (%2) SELECT %3 FROM %1 WHERE %4 = 1 ORDER BY %5 LIMIT %6")
                  .arg(lines.name(), names.join(QStringLiteral(", ")), sources.join(QStringLiteral(", ")),
                       lines.column(QStringLiteral("id_otdel_1")),
                       lines.column(QStringLiteral("id_vakansiya")))
                  .arg(copies));
}

} // namespace

QString divisionStatement()
{
    return QStringLiteral(
        "Select * from Vakansii  where id_otdel_1=1 and id_otdel_11 is null and id_deduce<>2 ORDER BY Num");
}

std::unique_ptr<TestInstallation> installWithLines(EngineKind engine, int count, Numbering numbering)
{
    auto installation = std::make_unique<TestInstallation>(engine);
    std::unique_ptr<Engine> admin = installation->adminEngine();
    admin->beginTransaction();
    NativeTable(*admin, QStringLiteral("Otdel_1"))
        .insert({QStringLiteral("otdel_1")}, {QStringLiteral("Ректорат")});
    const QList<qint64> posts = insertPosts(*admin);
    const NativeTable lines(*admin, QStringLiteral("Vakansii"));
    const QDate start(2015, 1, 1);
    const int varied = std::min(count, variedLines);
    for (int i = 1; i <= varied; ++i) {
        lines.insert(lineColumns,
                     {1, posts[i % posts.size()], 0.25 * (1 + i % 8), 8 + i % 10,
                      numbering == Numbering::Numbered ? QVariant(i) : QVariant(), 1 + i % 4,
                      QStringLiteral("%1-к").arg(100 + i % 900),
                      QDateTime(start.addDays(i % 3000), QTime(0, 0)), 1, 1 + i % 5, 1 + i % 3,
                      QStringLiteral("кадры"), start.addDays(i % 4000),
                      i % 3 == 0 ? QVariant(120.5) : QVariant(),
                      i % 10 == 0 ? QVariant(QStringLiteral("Ставка на период отпуска")) : QVariant()});
    }
    for (int present = varied; present < count;) {
        const int copies = std::min(present, count - present);
        copyLines(*admin, lines, present, copies);
        present += copies;
    }
    admin->commit();
    return installation;
}

void openDataModule(DataModule& module, const TestInstallation& installation)
{
    module.connection.setDataDirectory(installation.dataDirectory());
    module.connection.setConnectionString(installation.signedInConnection()->connectionString());
    module.openDataSets();
    module.scheduleLines.setSql(divisionStatement());
}

bool postgresAvailable(benchmark::State& state)
{
    if (!qEnvironmentVariableIsEmpty("ZEB_TEST_PG_HOST"))
        return true;
    state.SkipWithError("run under scripts/with-test-postgres.sh");
    return false;
}
