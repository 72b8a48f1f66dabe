#include "server/DemoStaff.h"

#include "server/NativeTable.h"

#include <QDateTime>
#include <QHash>
#include <QRandomGenerator>
#include <algorithm>

namespace zeb {

namespace {

constexpr int peopleCount = 40;
// The last of them work in the unit that shows the vacancies.
constexpr int showcasePeople = 8;
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
        QDate leftOn;
        if (!leave.isNull() && leave.toInt() != stillOnLine)
            leftOn = came.addDays(m_random.bounded(300, 900));
        insertPlacement(Placement{teacher, line, rateId(line.units), baseOrOver, came, leave, leftOn});
    }

    // A placement at the given rate; `leftOn` invalid while the person stays.
    void place(qint64 teacher, const DemoLine& line, double rate, const QDate& came, const QDate& leftOn = {})
    {
        const QVariant leave = leftOn.isValid() ? QVariant(dismissed) : QVariant(stillOnLine);
        insertPlacement(Placement{teacher, line, rateId(rate), mainJob, came, leave, leftOn});
    }

private:
    struct Placement
    {
        qint64 teacher;
        const DemoLine& line;
        qint64 rate;
        int baseOrOver;
        QDate came;
        QVariant leave;
        QDate leftOn;
    };

    void insertPlacement(const Placement& p)
    {
        const QVariant leaveOrder =
            p.leftOn.isValid() ? QVariant(QStringLiteral("%1-л").arg(m_random.bounded(1, 300))) : QVariant();
        const QVariant leftOn = p.leftOn.isValid() ? QVariant(atMidnight(p.leftOn)) : QVariant();
        m_placements.insert({QStringLiteral("id_teacher"), QStringLiteral("id_stavka"),
                             QStringLiteral("id_vakansiya"), QStringLiteral("id_base_over"),
                             QStringLiteral("razr"), QStringLiteral("Num_prikaz_Enter"),
                             QStringLiteral("date_come"), QStringLiteral("Num_prikaz_leave"),
                             QStringLiteral("id_leave"), QStringLiteral("Date_leave")},
                            {p.teacher, p.rate, p.line.id, p.baseOrOver, p.line.grade,
                             QStringLiteral("%1-л").arg(m_random.bounded(1, 300)), atMidnight(p.came),
                             leaveOrder, p.leave, leftOn});
    }

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

// The rates of the people who fill `units`: whole rates first.
QList<double> ratesFilling(double units)
{
    QList<double> filling;
    for (; units >= 1.0; units -= 1.0)
        filling.append(1.0);
    if (units >= 0.25)
        filling.append(units);
    return filling;
}

// The unit of the showcase: the first with three lines in force; -1 when none has.
qsizetype showcaseUnit(const QList<DemoLine>& lines)
{
    QHash<qsizetype, int> inForce;
    for (const DemoLine& line : lines) {
        if (!line.withdrawn && ++inForce[line.unit] == 3)
            return line.unit;
    }
    return -1;
}

// Its lines in force: the largest first, so that the one left partly vacant keeps a vacancy.
QList<DemoLine> showcaseLines(const QList<DemoLine>& lines, qsizetype unit)
{
    QList<DemoLine> picked;
    for (const DemoLine& line : lines) {
        if (line.unit == unit && !line.withdrawn)
            picked.append(line);
    }
    std::stable_sort(picked.begin(), picked.end(),
                     [](const DemoLine& a, const DemoLine& b) { return a.units > b.units; });
    return picked;
}

// The showcase on `today`: the largest line has one who left two months ago and a quarter rate leaving in
// three months; the next is occupied by half a rate beyond its units; the third is full; the others stay
// vacant.
void placeShowcase(StaffWriter& writer, const QList<DemoLine>& lines, QList<qint64> people,
                   const QDate& today)
{
    const DemoLine& partly = lines.at(0);
    writer.place(people.takeFirst(), partly, ratesFilling(partly.units).first(), partly.entered.addDays(30),
                 today.addDays(-61));
    writer.place(people.takeFirst(), partly, 0.25, today.addDays(-200), today.addDays(92));
    for (const DemoLine& line : {lines.at(1), lines.at(2)}) {
        for (double rate : ratesFilling(line.units))
            writer.place(people.takeFirst(), line, rate, line.entered.addDays(30));
    }
    writer.place(people.takeFirst(), lines.at(1), 0.5, today.addDays(-400));
}

// A deterministic pick of distinct lines outside the showcase's unit.
QList<DemoLine> pickLines(const QList<DemoLine>& lines, bool withdrawn, int count, QRandomGenerator& random,
                          qsizetype showcase)
{
    QList<DemoLine> candidates;
    for (const DemoLine& line : lines) {
        if (line.withdrawn == withdrawn && line.unit != showcase)
            candidates.append(line);
    }
    QList<DemoLine> picked;
    while (picked.size() < count && !candidates.isEmpty())
        picked.append(candidates.takeAt(random.bounded(int(candidates.size()))));
    return picked;
}

} // namespace

void insertDemoStaff(Engine& engine, const QList<DemoLine>& lines, QRandomGenerator& random,
                     const QDate& today)
{
    StaffWriter writer(engine, random);
    writer.insertRates();

    QList<qint64> people;
    for (int i = 0; i < peopleCount; ++i)
        people.append(writer.insertPerson(person(i)));

    const qsizetype showcase = showcaseUnit(lines);
    if (showcase >= 0)
        placeShowcase(writer, showcaseLines(lines, showcase), people.mid(peopleCount - showcasePeople),
                      today);

    const QList<DemoLine> current = pickLines(lines, false, peopleCount - showcasePeople, random, showcase);
    for (qsizetype i = 0; i < current.size(); ++i) {
        const QVariant leave = i % 8 == 3   ? QVariant()
                               : i % 8 == 6 ? QVariant(dismissed)
                                            : QVariant(stillOnLine);
        writer.place(people.at(i), current.at(i), i % 6 == 5 ? secondJob : mainJob, leave);
    }
    // Employees who left lines that were withdrawn later.
    const QList<DemoLine> withdrawn = pickLines(lines, true, 3, random, showcase);
    for (qsizetype i = 0; i < withdrawn.size(); ++i)
        writer.place(people.at(i), withdrawn.at(i), secondJob, dismissed);
}

} // namespace zeb
