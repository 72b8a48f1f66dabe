#include "server/DemoChanges.h"

#include "data/Dialect.h"
#include "data/Engine.h"

#include <QDateTime>
#include <QRandomGenerator>

namespace zeb {

namespace {

// Days before today: entries, withdrawals, and the changes of units, grade and post.
constexpr int enteredDaysAgo[] = {5, 19, 33, 47};
constexpr int withdrawnDaysAgo[] = {8, 27, 51};
constexpr int unitsDaysAgo[] = {12, 38};
constexpr int gradeDaysAgo = 22;
constexpr int postDaysAgo = 15;

class ChangeWriter
{
public:
    ChangeWriter(Engine& engine, QRandomGenerator& random, const QDate& today)
        : m_engine(engine), m_random(random), m_today(today),
          m_lines(engine.dialect().clientTable(QStringLiteral("Vakansii"))),
          m_history(engine.dialect().clientTable(QStringLiteral("Vakansii_history"))),
          m_working(engine.dialect().clientTable(QStringLiteral("Working")))
    {
    }

    void dateInserts()
    {
        m_engine.run(QStringLiteral("UPDATE %1 SET changed = (SELECT coalesce(v.e_d_p, %1.changed) FROM %2 v "
                                    "WHERE v.id_vakansiya = %1.id_vakansiya) WHERE change_kind = 'I'")
                         .arg(m_history, m_lines));
    }

    // The lines in force nobody is placed on, newest first; of one post only, when given.
    QList<qint64> freeLines(const QVariant& post = {})
    {
        QString sql = QStringLiteral("SELECT v.id_vakansiya FROM %1 v WHERE v.id_deduce <> 2 AND NOT EXISTS "
                                     "(SELECT 1 FROM %2 w WHERE w.id_vakansiya = v.id_vakansiya)")
                          .arg(m_lines, m_working);
        QVariantList params;
        if (post.isValid()) {
            sql += QStringLiteral(" AND v.id_post = ") + p(0);
            params.append(post);
        }
        const StatementResult result =
            m_engine.run(sql + QStringLiteral(" ORDER BY v.id_vakansiya DESC"), params);
        QList<qint64> ids;
        while (result.rows->next())
            ids.append(result.rows->toInt64(0));
        return ids;
    }

    // A new line like `like`, numbered after the lines of its unit.
    void enter(const DemoLine& like, int number, int daysAgo)
    {
        const QDate day = m_today.addDays(-daysAgo);
        m_engine.run(QStringLiteral(
                         "INSERT INTO %1 (id_otdel_1, id_otdel_11, id_faculty, id_kafedra, id_otdel_2, "
                         "id_post, q_units, razrad, Num, id_enter, e_n_p, e_d_p, id_deduce, id_structure, "
                         "id_bk, ZEB_User, ZEB_Update) SELECT id_otdel_1, id_otdel_11, id_faculty, "
                         "id_kafedra, id_otdel_2, id_post, q_units, razrad, %2, 1, %3, %4, 1, id_structure, "
                         "id_bk, 'kadry', %5 FROM %1 WHERE id_vakansiya = %6")
                         .arg(m_lines, p(0), p(1), p(2), p(3), p(4)),
                     {number, order(), QDateTime(day, QTime(0, 0)), madeOn(day), like.id});
    }

    void withdraw(qint64 line, int daysAgo)
    {
        const QDate day = m_today.addDays(-daysAgo);
        update(line, QStringLiteral("id_deduce = 2, d_n_p = %1, d_d_p = %2").arg(p(0), p(1)),
               {order(), QDateTime(day, QTime(0, 0))}, day);
    }

    // `assignments` binds its values from the first placeholder on.
    void update(qint64 line, const QString& assignments, QVariantList values, const QDate& day)
    {
        const QString key = p(int(values.size()));
        values.append(line);
        m_engine.run(
            QStringLiteral("UPDATE %1 SET %2 WHERE id_vakansiya = %3").arg(m_lines, assignments, key),
            values);
        m_engine.run(
            QStringLiteral("UPDATE %1 SET changed = %2 WHERE id_history = (SELECT max(id_history) FROM %1)")
                .arg(m_history, p(0)),
            {madeOn(day)});
    }

    QString p(int index) const { return m_engine.dialect().placeholder(index); }
    QDate daysAgo(int days) const { return m_today.addDays(-days); }

private:
    QString order() { return QStringLiteral("%1-к").arg(m_random.bounded(480, 620)); }
    // During the working day.
    QDateTime madeOn(const QDate& day)
    {
        return QDateTime(day, QTime(9 + m_random.bounded(8), m_random.bounded(60)));
    }

    Engine& m_engine;
    QRandomGenerator& m_random;
    QDate m_today;
    QString m_lines;
    QString m_history;
    QString m_working;
};

// The number after the last of the line's unit.
int nextNumber(const QList<DemoLine>& lines, const DemoLine& like)
{
    return int(std::count_if(lines.begin(), lines.end(),
                             [&](const DemoLine& line) { return line.unit == like.unit; })) +
           1;
}

} // namespace

void insertDemoChanges(Engine& engine, const DemoOrganisation& organisation, const QList<DemoLine>& lines,
                       QRandomGenerator& random, const QDate& today)
{
    ChangeWriter writer(engine, random, today);
    writer.dateInserts();
    // Read before the new lines come: those stay as entered.
    const QList<qint64> idle = writer.freeLines();
    // New lines in units spread over the schedule.
    for (qsizetype i = 0; i < qsizetype(std::size(enteredDaysAgo)); ++i) {
        const DemoLine& like = lines.at((i * 2 + 1) * lines.size() / 9);
        writer.enter(like, nextNumber(lines, like) + int(i), enteredDaysAgo[i]);
    }
    // Lines of units spread over the schedule.
    constexpr qsizetype uses = qsizetype(std::size(withdrawnDaysAgo)) + 3;
    QList<qint64> chosen;
    for (qsizetype i = 0; i < uses; ++i)
        chosen.append(idle.at(i * idle.size() / uses));
    qsizetype next = 0;
    for (int days : withdrawnDaysAgo)
        writer.withdraw(chosen.at(next++), days);
    writer.update(chosen.at(next++), QStringLiteral("q_units = q_units + 0.5"), {},
                  writer.daysAgo(unitsDaysAgo[0]));
    writer.update(
        chosen.at(next++),
        QStringLiteral("q_units = CASE WHEN q_units > 0.5 THEN q_units - 0.5 ELSE q_units + 0.25 END"), {},
        writer.daysAgo(unitsDaysAgo[1]));
    writer.update(chosen.at(next++), QStringLiteral("razrad = razrad + 1"), {}, writer.daysAgo(gradeDaysAgo));
    // A docent's line becomes a professor's, one neither new nor changed otherwise.
    for (qint64 line : writer.freeLines(organisation.posts.value(QStringLiteral("Доцент")).id)) {
        if (!idle.contains(line) || chosen.contains(line))
            continue;
        writer.update(line, QStringLiteral("id_post = %1, razrad = 17").arg(writer.p(0)),
                      {organisation.posts.value(QStringLiteral("Профессор")).id},
                      writer.daysAgo(postDaysAgo));
        break;
    }
}

} // namespace zeb
