#include "data/Dialect.h"
#include "data/Engine.h"
#include "data/Transaction.h"
#include "report/FormDataStore.h"
#include "report/FormRequisites.h"
#include "report/SalaryScale.h"
#include "server/AdminEngine.h"
#include "tools/AdminAccount.h"
#include "tools/Arguments.h"
#include "tools/Commands.h"
#include "tools/Console.h"
#include "tools/FormOptions.h"

#include <optional>

namespace zeb {

namespace {

using namespace formoptions;

// What the command line asks to change; all of it is checked before the database is opened.
struct FormChanges
{
    std::optional<QString> okpo;
    std::optional<QString> hrHeadPosition;
    std::optional<QString> hrHeadName;
    std::optional<QString> chiefAccountantName;
    QList<UnitCodeSetting> unitCodes;
    QList<SalarySetting> salaries;

    bool changesRequisites() const { return okpo || hrHeadPosition || hrHeadName || chiefAccountantName; }
    bool isEmpty() const { return !changesRequisites() && unitCodes.isEmpty() && salaries.isEmpty(); }
};

std::optional<QString> limitedOption(const Arguments& arguments, const QString& name, int size)
{
    if (!arguments.has(name))
        return std::nullopt;
    return limited(QStringLiteral("--") + name, arguments.value(name), size);
}

FormChanges changesOf(const Arguments& arguments)
{
    FormChanges changes;
    if (arguments.has(QStringLiteral("okpo")))
        changes.okpo = okpo(arguments.value(QStringLiteral("okpo")));
    changes.hrHeadPosition = limitedOption(arguments, QStringLiteral("hr-head-post"), 150);
    changes.hrHeadName = limitedOption(arguments, QStringLiteral("hr-head-name"), 100);
    changes.chiefAccountantName = limitedOption(arguments, QStringLiteral("chief-accountant"), 100);
    for (const QString& text : arguments.values(QStringLiteral("unit-code")))
        changes.unitCodes.append(unitCode(text));
    for (const QString& text : arguments.values(QStringLiteral("salary")))
        changes.salaries.append(salary(text));
    return changes;
}

// Where a unit of the kind is named.
struct UnitTable
{
    QString table;
    QString name;
    QString key;
};

UnitTable unitTable(UnitCodes::Kind kind)
{
    switch (kind) {
    case UnitCodes::Kind::Division:
        break;
    case UnitCodes::Kind::Faculty:
        return {QStringLiteral("Faculty"), QStringLiteral("p23-2"), QStringLiteral("id_faculty")};
    case UnitCodes::Kind::Department:
        return {QStringLiteral("Kafedra"), QStringLiteral("f1"), QStringLiteral("id_kafedra")};
    }
    return {QStringLiteral("Otdel_1"), QStringLiteral("otdel_1"), QStringLiteral("id_otdel_1")};
}

// The unit's name; none when the installation has no such unit.
std::optional<QString> unitName(Engine& engine, UnitCodes::Kind kind, qint64 key)
{
    const Dialect& dialect = engine.dialect();
    const UnitTable unit = unitTable(kind);
    const StatementResult result =
        engine.run(QStringLiteral("SELECT %1 FROM %2 WHERE %3 = %4")
                       .arg(dialect.quoteIdentifier(unit.name), dialect.clientTable(unit.table),
                            dialect.quoteIdentifier(unit.key), dialect.placeholder(0)),
                   {key});
    if (!result.rows->next())
        return std::nullopt;
    return result.rows->toText(0).trimmed();
}

void applyRequisites(Engine& engine, const FormChanges& changes)
{
    FormRequisites requisites = loadFormRequisites(engine);
    requisites.okpo = changes.okpo.value_or(requisites.okpo);
    requisites.hrHeadPosition = changes.hrHeadPosition.value_or(requisites.hrHeadPosition);
    requisites.hrHeadName = changes.hrHeadName.value_or(requisites.hrHeadName);
    requisites.chiefAccountantName = changes.chiefAccountantName.value_or(requisites.chiefAccountantName);
    saveFormRequisites(engine, requisites);
}

void apply(Engine& engine, const FormChanges& changes)
{
    if (changes.changesRequisites())
        applyRequisites(engine, changes);
    for (const UnitCodeSetting& setting : changes.unitCodes) {
        if (!unitName(engine, setting.kind, setting.key))
            throw Error(QStringLiteral("Подразделения %1 в базе данных нет: ничего не изменено. Номер — ключ "
                                       "отдела (O), факультета (F) или кафедры (K).")
                            .arg(unitText(setting.kind, setting.key)));
        storeUnitCode(engine, setting.kind, setting.key, setting.code);
    }
    for (const SalarySetting& setting : changes.salaries) {
        if (setting.salary)
            storeSalary(engine, setting.grade, setting.from, *setting.salary);
        else if (!removeSalary(engine, setting.grade, setting.from))
            throw Error(QStringLiteral("Оклада разряда %1 с %2 нет: удалять нечего, ничего не изменено.")
                            .arg(setting.grade)
                            .arg(setting.from.toString(QStringLiteral("dd.MM.yyyy"))));
    }
}

QString orUnset(const QString& text)
{
    return text.isEmpty() ? QStringLiteral("не указано") : text;
}

void printRequisites(Engine& engine)
{
    const FormRequisites requisites = loadFormRequisites(engine);
    console::print(QStringLiteral("ОКПО: %1").arg(orUnset(requisites.okpo)));
    console::print(QStringLiteral("Руководитель кадровой службы, должность: %1")
                       .arg(orUnset(requisites.hrHeadPosition)));
    console::print(QStringLiteral("Руководитель кадровой службы, фамилия и инициалы: %1")
                       .arg(orUnset(requisites.hrHeadName)));
    console::print(QStringLiteral("Главный бухгалтер, фамилия и инициалы: %1")
                       .arg(orUnset(requisites.chiefAccountantName)));
}

void printUnitCodes(Engine& engine)
{
    console::print(QStringLiteral("Коды подразделений (O отдел, F факультет, K кафедра):"));
    const UnitCodes codes = UnitCodes::load(engine);
    if (codes.all().empty())
        console::print(QStringLiteral("  не заданы: в форме печатаются коды программы."));
    for (const auto& [unit, code] : codes.all()) {
        const std::optional<QString> name = unitName(engine, unit.first, unit.second);
        console::print(
            QStringLiteral("  %1 %2 = %3")
                .arg(unitText(unit.first, unit.second),
                     name ? QStringLiteral("«%1»").arg(*name) : QStringLiteral("(подразделения нет)"), code));
    }
}

void printSalaryScale(Engine& engine)
{
    console::print(QStringLiteral("Оклады по разрядам:"));
    const SalaryScale scale = SalaryScale::load(engine);
    if (scale.byGrade().empty())
        console::print(QStringLiteral("  не заданы."));
    for (const auto& [grade, salaries] : scale.byGrade()) {
        QStringList steps;
        for (const auto& [from, salary] : salaries)
            steps.append(QStringLiteral("с %1 — %2 руб.")
                             .arg(from.toString(QStringLiteral("dd.MM.yyyy")), salary.toText()));
        console::print(QStringLiteral("  разряд %1: %2").arg(grade).arg(steps.join(QStringLiteral("; "))));
    }
}

} // namespace

int runForm(const QStringList& words)
{
    const Arguments arguments(words, {QStringLiteral("admin-user"), QStringLiteral("okpo"),
                                      QStringLiteral("hr-head-post"), QStringLiteral("hr-head-name"),
                                      QStringLiteral("chief-accountant"), QStringLiteral("unit-code"),
                                      QStringLiteral("salary")});
    arguments.expectPositional({QStringLiteral("папка установки DIR")});
    const FormChanges changes = changesOf(arguments);
    const QString directory = arguments.positional().at(0);
    const std::unique_ptr<Engine> engine =
        openAdminEngine(directory, adminAccount(arguments, installedEngine(directory)));
    if (!changes.isEmpty()) {
        Transaction transaction(*engine);
        apply(*engine, changes);
        transaction.commit();
        console::print(QStringLiteral("Данные формы Т-3 записаны."));
    }
    printRequisites(*engine);
    printUnitCodes(*engine);
    printSalaryScale(*engine);
    return 0;
}

} // namespace zeb
