#include "server/DemoSchedule.h"

#include "platform/Error.h"
#include "server/NativeTable.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <algorithm>

namespace zeb {

namespace {

constexpr int withdrawnKind = 2;
constexpr int reductionPlannedKind = 3;
const QDate firstOrder(2010, 1, 11);
const QDate lastOrder(2024, 12, 27);

const char* const notes[] = {
    "Совместительство",
    "На период отпуска по уходу за ребёнком основного работника",
    "Ставка за счёт средств научных грантов",
    "Согласовано с профсоюзным комитетом",
    "Перевод из другого подразделения, приказ готовится",
    "Временно, до окончания учебного года",
};

const double unitChoices[] = {1.0, 1.0, 1.0, 1.0, 0.5, 0.5, 0.75, 0.25, 1.5, 2.0};

QStringList lineColumns()
{
    return {QStringLiteral("id_otdel_1"),   QStringLiteral("id_otdel_11"), QStringLiteral("id_faculty"),
            QStringLiteral("id_kafedra"),   QStringLiteral("id_post"),     QStringLiteral("q_units"),
            QStringLiteral("razrad"),       QStringLiteral("Num"),         QStringLiteral("id_otdel_2"),
            QStringLiteral("id_enter"),     QStringLiteral("e_n_p"),       QStringLiteral("e_d_p"),
            QStringLiteral("id_deduce"),    QStringLiteral("d_n_p"),       QStringLiteral("d_d_p"),
            QStringLiteral("id_structure"), QStringLiteral("id_bk"),       QStringLiteral("ZEB_User"),
            QStringLiteral("ZEB_Update"),   QStringLiteral("hourFond"),    QStringLiteral("descr")};
}

QDateTime atMidnight(QDate date)
{
    return QDateTime(date, QTime(0, 0));
}

QString orderNumber(QRandomGenerator& random)
{
    return QStringLiteral("%1-к").arg(random.bounded(1, 480));
}

class LineWriter
{
public:
    LineWriter(Engine& engine, QRandomGenerator& random)
        : m_table(engine, QStringLiteral("Vakansii")), m_random(random)
    {
    }

    DemoLine insert(const DemoUnit& unit, const DemoPost& post, const QVariant& number)
    {
        DemoLine line;
        line.units = post.grade >= 16 ? 1.0 : unitChoices[m_random.bounded(int(std::size(unitChoices)))];
        line.grade = qBound(1, post.grade + m_random.bounded(-1, 2), 18);
        line.entered = firstOrder.addDays(m_random.bounded(qint64(firstOrder.daysTo(lastOrder) - 400)));
        const int enterRoll = m_random.bounded(100);
        const int enterKind = enterRoll < 80 ? 1 : enterRoll < 95 ? 2 : 3;

        const int deduceRoll = m_random.bounded(100);
        line.withdrawn = unit.abolished || deduceRoll < 4;
        const int deduceKind = line.withdrawn ? withdrawnKind : deduceRoll < 6 ? reductionPlannedKind : 1;
        QVariant withdrawalNumber;
        QVariant withdrawalDate;
        QDate lastChange = line.entered;
        if (line.withdrawn) {
            lastChange = qMin(line.entered.addDays(m_random.bounded(200, 2000)), lastOrder);
            withdrawalNumber = orderNumber(m_random);
            withdrawalDate = atMidnight(lastChange);
        }

        const int fundingRoll = m_random.bounded(100);
        const int funding = fundingRoll < 72 ? 1 : fundingRoll < 94 ? 2 : 3;
        QVariant hourFund;
        if (post.structure == 1 && m_random.bounded(100) < 15)
            hourFund = 50.0 * m_random.bounded(2, 19);
        QVariant note;
        if (m_random.bounded(100) < 8)
            note = QString::fromUtf8(notes[m_random.bounded(int(std::size(notes)))]);

        line.id = m_table.insert(lineColumns(),
                                 {unit.otdel1,
                                  unit.otdel11,
                                  unit.faculty,
                                  unit.kafedra,
                                  post.id,
                                  line.units,
                                  line.grade,
                                  number,
                                  unit.otdel2,
                                  enterKind,
                                  orderNumber(m_random),
                                  atMidnight(line.entered),
                                  deduceKind,
                                  withdrawalNumber,
                                  withdrawalDate,
                                  post.structure,
                                  funding,
                                  QStringLiteral("kadry"),
                                  lastChange,
                                  hourFund,
                                  note},
                                 QStringLiteral("id_vakansiya"));
        return line;
    }

private:
    NativeTable m_table;
    QRandomGenerator& m_random;
};

} // namespace

QList<DemoLine> insertDemoSchedule(Engine& engine, const DemoOrganisation& organisation,
                                   QRandomGenerator& random)
{
    LineWriter writer(engine, random);
    QList<DemoLine> lines;
    for (qsizetype unitIndex = 0; unitIndex < organisation.units.size(); ++unitIndex) {
        const DemoUnit& unit = organisation.units.at(unitIndex);
        QList<const DemoPost*> posts;
        for (const DemoStaffing& staffing : unit.staffing) {
            const auto post = organisation.posts.constFind(QString::fromUtf8(staffing.post));
            if (post == organisation.posts.constEnd())
                throw Error(QStringLiteral("Демонстрационные данные: нет должности «%1».")
                                .arg(QString::fromUtf8(staffing.post)));
            const int count = random.bounded(staffing.minLines, staffing.maxLines + 1);
            for (int i = 0; i < count; ++i)
                posts.append(&*post);
        }
        // Every seventh unit leaves its last lines without a number, as lines added in a hurry are.
        const qsizetype unnumbered = unitIndex % 7 == 3 ? std::clamp<qsizetype>(posts.size() - 1, 0, 2) : 0;
        for (qsizetype i = 0; i < posts.size(); ++i) {
            const QVariant number = i < posts.size() - unnumbered ? QVariant(int(i + 1)) : QVariant();
            lines.append(writer.insert(unit, *posts.at(i), number));
            lines.last().unit = unitIndex;
        }
    }
    return lines;
}

} // namespace zeb
