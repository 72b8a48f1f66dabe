#include "report/change/ChangeTexts.h"

#include "report/FormTexts.h"
#include "report/vacancy/VacancyFigures.h"

#include <algorithm>

namespace zeb::changetexts {

QString title()
{
    return QStringLiteral("Изменения штатного расписания");
}

QString periodText(const ChangesReport& report)
{
    return QStringLiteral("за период с %1 по %2")
        .arg(formtexts::dateText(report.from), formtexts::dateText(report.to));
}

QString explanation(const ChangesReport& report)
{
    return QStringLiteral(
               "На начало периода — штатные единицы строк, действующих на конец дня %1, на конец периода — "
               "на "
               "конец дня %2 (по истории изменений строк, где она это знает). Введены — строки с приказом о "
               "вводе, датированным периодом; выведены — с приказом о выводе, датированным периодом; "
               "изменены — "
               "строки, изменённые в периоде, с приказом о вводе, который несёт строка. Изменение строки — "
               "насколько она изменила штатные единицы подразделения помимо ввода и вывода.")
        .arg(formtexts::dateText(report.from.addDays(-1)), formtexts::dateText(report.to));
}

QString unitText(const ChangesGroup& group)
{
    return group.code.isEmpty() ? group.unit : QStringLiteral("%1 (код %2)").arg(group.unit, group.code);
}

QString orderText(const ChangedLine& line)
{
    QStringList parts;
    if (!line.orderNumber.isEmpty())
        parts.append(line.orderNumber);
    if (line.orderDate.isValid())
        parts.append(QStringLiteral("от ") + formtexts::dateText(line.orderDate));
    return parts.join(u' ');
}

QString signedUnits(qint64 hundredths)
{
    return hundredths > 0 ? u'+' + hundredthsText(hundredths) : hundredthsText(hundredths);
}

QString changesText(const ChangedLine& line)
{
    QStringList lines;
    for (const LineChange& change : line.changes) {
        QString text = formtexts::dateText(change.changed.date()) + u' ';
        if (change.kind == LineChange::Kind::Deleted) {
            text += QStringLiteral("строка удалена");
        } else {
            QStringList columns;
            for (const ColumnChange& column : change.columns) {
                const auto shown = [](const QString& value) {
                    return value.isEmpty() ? QStringLiteral("—") : value;
                };
                columns.append(QStringLiteral("%1: %2 → %3")
                                   .arg(column.title, shown(column.before), shown(column.after)));
            }
            text += columns.join(QStringLiteral("; "));
        }
        lines.append(text);
    }
    return lines.join(u'\n');
}

bool anyListed(const ChangesReport& report)
{
    return std::any_of(report.groups.begin(), report.groups.end(),
                       [](const ChangesGroup& group) { return group.hasLines(); });
}

QString noLinesText()
{
    return QStringLiteral("В периоде строки не вводились, не выводились и не изменялись.");
}

QStringList lineHeadings()
{
    return {QStringLiteral("№"),         QStringLiteral("Должность"), QStringLiteral("Штатных единиц"),
            QStringLiteral("Изменение"), QStringLiteral("Приказ"),    QStringLiteral("Что изменено")};
}

QStringList figureHeadings()
{
    return {QStringLiteral("Код"),
            QStringLiteral("Подразделение"),
            QStringLiteral("На начало периода"),
            QStringLiteral("Введено"),
            QStringLiteral("Выведено"),
            QStringLiteral("Изменено"),
            QStringLiteral("На конец периода")};
}

QString enteredCaption()
{
    return QStringLiteral("Введены");
}

QString withdrawnCaption()
{
    return QStringLiteral("Выведены");
}

QString changedCaption()
{
    return QStringLiteral("Изменены");
}

} // namespace zeb::changetexts
