#include "tests/support/ScheduleFixture.h"

#include "data/Connection.h"
#include "data/ResultCursor.h"

#include <QTest>

using namespace zeb;

void loadScheduleFixture(Connection& connection)
{
    const QStringList statements = {
        QStringLiteral("insert into vuz (id_vuz, v2) values (1, 'Университет')"),
        QStringLiteral("insert into post (post) values ('Доцент')"),
        QStringLiteral("insert into Otdel_1 (otdel_1) values ('Бухгалтерия')"),
        QStringLiteral("insert into Otdel_1 (otdel_1) values ('Расчётная группа')"),
        QStringLiteral("insert into Otdel_1 (otdel_1) values ('Деканат')"),
        QStringLiteral("insert into Otdel_1 (otdel_1) values ('Лаборатория')"),
        QStringLiteral("insert into Otdel_1 (otdel_1) values ('Архив')"),
        QStringLiteral(
            "insert into Faculty ([p23-1], [p23-2], id_vuz) values ('ФМ', 'Физико-математический', 1)"),
        QStringLiteral("insert into Faculty ([p23-1], [p23-2], id_vuz) values ('ФЭ', 'Экономический', 1)"),
        QStringLiteral("insert into Kafedra (f1) values ('Кафедра алгебры')"),
        QStringLiteral("insert into Kafedra (f1) values ('Кафедра геометрии')"),
        QStringLiteral("insert into Kafedra (f1) values ('Кафедра физики')"),
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 1, 1, 1)"),
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 1, NULL, 1)"),
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 1, 2, 2)"),
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 1, 3, NULL)"),
        QStringLiteral(
            "insert into Vakansii (id_post, id_otdel_1, id_otdel_11, Num, id_deduce) values (2, 1, 2, 1, 1)"),
        QStringLiteral("insert into Vakansii (id_post, id_faculty, Num, id_deduce) values (2, 1, 1, 1)"),
        QStringLiteral(
            "insert into Vakansii (id_post, id_faculty, id_otdel_2, Num, id_deduce) values (2, 1, 3, 1, 1)"),
        QStringLiteral("insert into Vakansii (id_post, id_faculty, id_kafedra, Num, id_deduce, e_n_p) "
                       "values (2, 1, 1, 1, 1, 'Приказ ''А''')"),
        QStringLiteral(
            "insert into Vakansii (id_post, id_faculty, id_kafedra, Num, id_deduce) values (2, 1, 2, 1, 2)"),
        QStringLiteral("insert into Vakansii (id_post, id_otdel_1, Num, id_deduce) values (2, 5, 1, 2)"),
        QStringLiteral(
            "insert into Vakansii (id_post, id_faculty, id_kafedra, Num, id_deduce) values (2, 2, 3, 1, 1)"),
        QStringLiteral("insert into Working (id_vakansiya, id_leave) values (1, 4)"),
        QStringLiteral("insert into Working (id_vakansiya, id_leave) values (5, 1)"),
        QStringLiteral("insert into Working (id_vakansiya, id_leave) values (8, NULL)"),
        QStringLiteral(
            "insert into VuzDefaults (id_vuz_defaults, n_field) values (22, 'http://reports.local')"),
    };
    for (const QString& statement : statements)
        connection.execute(statement);
}

QString columnValues(Connection& connection, const QString& statement, const QString& column)
{
    std::unique_ptr<ResultCursor> rows = connection.query(statement);
    int index = -1;
    for (int c = 0; c < rows->columns().size(); ++c) {
        if (rows->columns()[c].name.compare(column, Qt::CaseInsensitive) == 0)
            index = c;
    }
    if (index < 0)
        return QStringLiteral("no column ") + column;
    QStringList values;
    while (rows->next())
        values.append(rows->isNull(index) ? QStringLiteral("null") : rows->toText(index));
    return values.join(QLatin1Char(','));
}
