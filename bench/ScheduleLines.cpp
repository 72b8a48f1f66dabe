#include "ScheduleLines.h"

#include "Engine.h"
#include "NativeTable.h"

#include <QDate>

using namespace zeb;

QString divisionStatement()
{
    return QStringLiteral(
        "Select * from Vakansii  where id_otdel_1=1 and id_otdel_11 is null and id_deduce<>2 ORDER BY Num");
}

std::unique_ptr<TestInstallation> installWithLines(EngineKind engine, int count)
{
    auto installation = std::make_unique<TestInstallation>(engine);
    std::unique_ptr<Engine> admin = installation->adminEngine();
    admin->beginTransaction();
    NativeTable(*admin, QStringLiteral("Otdel_1"))
        .insert({QStringLiteral("otdel_1")}, {QStringLiteral("Ректорат")});
    const NativeTable lines(*admin, QStringLiteral("Vakansii"));
    const QStringList columns = {
        QStringLiteral("id_otdel_1"),   QStringLiteral("id_post"),  QStringLiteral("q_units"),
        QStringLiteral("razrad"),       QStringLiteral("Num"),      QStringLiteral("id_enter"),
        QStringLiteral("e_n_p"),        QStringLiteral("e_d_p"),    QStringLiteral("id_deduce"),
        QStringLiteral("id_structure"), QStringLiteral("id_bk"),    QStringLiteral("ZEB_User"),
        QStringLiteral("ZEB_Update"),   QStringLiteral("hourFond"), QStringLiteral("descr"),
    };
    const QDate start(2015, 1, 1);
    for (int i = 1; i <= count; ++i) {
        lines.insert(
            columns,
            {1, 1, 0.25 * (1 + i % 8), 8 + i % 10, i, 1 + i % 4, QStringLiteral("%1-к").arg(100 + i % 900),
             QDateTime(start.addDays(i % 3000), QTime(0, 0)), 1, 1 + i % 5, 1 + i % 3,
             QStringLiteral("кадры"), start.addDays(i % 4000), i % 3 == 0 ? QVariant(120.5) : QVariant(),
             i % 10 == 0 ? QVariant(QStringLiteral("Ставка на период отпуска")) : QVariant()});
    }
    admin->commit();
    return installation;
}
