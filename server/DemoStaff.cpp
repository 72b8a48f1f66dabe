#include "server/DemoStaff.h"

#include "server/NativeTable.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace zeb {

namespace {

constexpr int peopleCount = 40;
constexpr int stillOnLine = 4;
constexpr int dismissed = 1;
constexpr int mainJob = 1;
constexpr int secondJob = 2;

// Indexed by [female][i]; every surname is used once, so no two employees share a full name.
const char* const surnames[2][20] = {
    {"Иванов",  "Смирнов", "Кузнецов", "Попов",    "Васильев", "Соколов", "Михайлов",
     "Новиков", "Фёдоров", "Морозов",  "Волков",   "Алексеев", "Лебедев", "Семёнов",
     "Егоров",  "Павлов",  "Козлов",   "Степанов", "Николаев", "Орлов"},
    {"Андреева",     "Макарова",   "Никитина", "Захарова",  "Зайцева",  "Соловьёва", "Борисова",
     "Яковлева",     "Григорьева", "Романова", "Воробьёва", "Сергеева", "Кузьмина",  "Фролова",
     "Александрова", "Дмитриева",  "Королёва", "Гусева",    "Киселёва", "Ильина"},
};
const char* const firstNames[2][10] = {
    {"Александр", "Сергей", "Андрей", "Дмитрий", "Алексей", "Михаил", "Владимир", "Игорь", "Николай",
     "Павел"},
    {"Елена", "Ольга", "Наталья", "Татьяна", "Ирина", "Светлана", "Анна", "Марина", "Екатерина", "Юлия"},
};
const char* const patronymics[2][10] = {
    {"Александрович", "Сергеевич", "Викторович", "Николаевич", "Петрович", "Иванович", "Юрьевич",
     "Владимирович", "Михайлович", "Олегович"},
    {"Александровна", "Сергеевна", "Викторовна", "Николаевна", "Петровна", "Ивановна", "Юрьевна",
     "Владимировна", "Михайловна", "Олеговна"},
};

const double rates[] = {0.25, 0.5, 0.75, 1.0, 1.5};

struct Person
{
    QString surname;
    QString firstName;
    QString patronymic;
};

Person person(int index)
{
    const int female = index % 2;
    const int k = index / 2;
    return Person{QString::fromUtf8(surnames[female][k]),
                  QString::fromUtf8(firstNames[female][(k * 3 + index) % 10]),
                  QString::fromUtf8(patronymics[female][(k * 7 + 3) % 10])};
}

QDateTime atMidnight(QDate date)
{
    return QDateTime(date, QTime(0, 0));
}

class StaffWriter
{
public:
    StaffWriter(Engine& engine, QRandomGenerator& random)
        : m_teachers(engine, QStringLiteral("teacher")), m_names(engine, QStringLiteral("t_fio")),
          m_rates(engine, QStringLiteral("Stavka")), m_placements(engine, QStringLiteral("Working")),
          m_random(random)
    {
    }

    void insertRates()
    {
        for (double rate : rates)
            m_rateIds.append(m_rates.insert({QStringLiteral("stavka")}, {rate}, QStringLiteral("id_stavka")));
    }

    qint64 insertPerson(const Person& p)
    {
        const qint64 id =
            m_teachers.insert({QStringLiteral("fam"), QStringLiteral("im"), QStringLiteral("otch")},
                              {p.surname, p.firstName, p.patronymic}, QStringLiteral("id_teacher"));
        m_names.insert({QStringLiteral("id_teacher"), QStringLiteral("fio")},
                       {id, p.surname + QLatin1Char(' ') + p.firstName + QLatin1Char(' ') + p.patronymic});
        return id;
    }

    // leave is NULL or a kind of leaving; a person who left has the order and the date of it.
    void place(qint64 teacher, const DemoLine& line, int baseOrOver, const QVariant& leave)
    {
        const QDate came = line.entered.addDays(m_random.bounded(0, 400));
        QVariant leaveOrder;
        QVariant leftOn;
        if (!leave.isNull() && leave.toInt() != stillOnLine) {
            leaveOrder = QStringLiteral("%1-л").arg(m_random.bounded(1, 300));
            leftOn = atMidnight(came.addDays(m_random.bounded(300, 900)));
        }
        m_placements.insert({QStringLiteral("id_teacher"), QStringLiteral("id_stavka"),
                             QStringLiteral("id_vakansiya"), QStringLiteral("id_base_over"),
                             QStringLiteral("razr"), QStringLiteral("Num_prikaz_Enter"),
                             QStringLiteral("date_come"), QStringLiteral("Num_prikaz_leave"),
                             QStringLiteral("id_leave"), QStringLiteral("Date_leave")},
                            {teacher, rateId(line.units), line.id, baseOrOver, line.grade,
                             QStringLiteral("%1-л").arg(m_random.bounded(1, 300)), atMidnight(came),
                             leaveOrder, leave, leftOn});
    }

private:
    qint64 rateId(double units) const
    {
        for (qsizetype i = 0; i < m_rateIds.size(); ++i) {
            if (qFuzzyCompare(rates[i], units))
                return m_rateIds.at(i);
        }
        return m_rateIds.at(3); // one full rate
    }

    NativeTable m_teachers;
    NativeTable m_names;
    NativeTable m_rates;
    NativeTable m_placements;
    QRandomGenerator& m_random;
    QList<qint64> m_rateIds;
};

// A deterministic pick of distinct lines.
QList<DemoLine> pickLines(const QList<DemoLine>& lines, bool withdrawn, int count, QRandomGenerator& random)
{
    QList<DemoLine> candidates;
    for (const DemoLine& line : lines) {
        if (line.withdrawn == withdrawn)
            candidates.append(line);
    }
    QList<DemoLine> picked;
    while (picked.size() < count && !candidates.isEmpty())
        picked.append(candidates.takeAt(random.bounded(int(candidates.size()))));
    return picked;
}

} // namespace

void insertDemoStaff(Engine& engine, const QList<DemoLine>& lines, QRandomGenerator& random)
{
    StaffWriter writer(engine, random);
    writer.insertRates();

    QList<qint64> people;
    for (int i = 0; i < peopleCount; ++i)
        people.append(writer.insertPerson(person(i)));

    const QList<DemoLine> current = pickLines(lines, false, peopleCount, random);
    for (qsizetype i = 0; i < current.size(); ++i) {
        const QVariant leave = i % 8 == 3   ? QVariant()
                               : i % 8 == 6 ? QVariant(dismissed)
                                            : QVariant(stillOnLine);
        writer.place(people.at(i), current.at(i), i % 6 == 5 ? secondJob : mainJob, leave);
    }
    // Employees who left lines that were withdrawn later.
    const QList<DemoLine> withdrawn = pickLines(lines, true, 3, random);
    for (qsizetype i = 0; i < withdrawn.size(); ++i)
        writer.place(people.at(i), withdrawn.at(i), secondJob, dismissed);
}

} // namespace zeb
