#include "report/FormDataStore.h"

#include "data/Dialect.h"
#include "data/Engine.h"

namespace zeb {

namespace {

QString marker(Engine& engine, int index)
{
    return engine.dialect().placeholder(index);
}

} // namespace

void storeSalary(Engine& engine, qint64 grade, const QDate& from, Money salary)
{
    const QString table = engine.dialect().clientTable(QStringLiteral("Oklad"));
    // Decimal text: a numeric column takes it exactly.
    const QVariantList values = {salary.toPlainDecimal(), grade, from};
    const StatementResult updated =
        engine.run(QStringLiteral("UPDATE %1 SET oklad = %2 WHERE razrad = %3 AND date_from = %4")
                       .arg(table, marker(engine, 0), marker(engine, 1), marker(engine, 2)),
                   values);
    if (updated.rowsAffected > 0)
        return;
    engine.run(QStringLiteral("INSERT INTO %1 (oklad, razrad, date_from) VALUES (%2, %3, %4)")
                   .arg(table, marker(engine, 0), marker(engine, 1), marker(engine, 2)),
               values);
}

bool removeSalary(Engine& engine, qint64 grade, const QDate& from)
{
    const StatementResult removed = engine.run(
        QStringLiteral("DELETE FROM %1 WHERE razrad = %2 AND date_from = %3")
            .arg(engine.dialect().clientTable(QStringLiteral("Oklad")), marker(engine, 0), marker(engine, 1)),
        {grade, from});
    return removed.rowsAffected > 0;
}

void storeUnitCode(Engine& engine, UnitCodes::Kind kind, qint64 key, const QString& code)
{
    const QString table = engine.dialect().clientTable(QStringLiteral("Kod_podrazd"));
    const QString letter = UnitCodes::letterOf(kind);
    engine.run(QStringLiteral("DELETE FROM %1 WHERE kind = %2 AND id_unit = %3")
                   .arg(table, marker(engine, 0), marker(engine, 1)),
               {letter, key});
    if (code.trimmed().isEmpty())
        return;
    engine.run(QStringLiteral("INSERT INTO %1 (kind, id_unit, code) VALUES (%2, %3, %4)")
                   .arg(table, marker(engine, 0), marker(engine, 1), marker(engine, 2)),
               {letter, key, code.trimmed()});
}

} // namespace zeb
