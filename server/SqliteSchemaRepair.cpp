#include "server/SqliteSchemaRepair.h"

#include "data/Dialect.h"
#include "data/Engine.h"
#include "data/Transaction.h"
#include "data/sqlite/SqliteEngine.h"
#include "server/ServerScript.h"

#include <QHash>
#include <QSet>
#include <optional>

namespace zeb {

namespace {

struct SchemaObject
{
    QString type; // table, index, trigger or view
    QString name;
    QString table; // the table an index or trigger belongs to
    QString sql;   // null for the indexes SQLite makes for keys

    bool isVirtual() const
    {
        return sql.startsWith(QLatin1String("CREATE VIRTUAL TABLE"), Qt::CaseInsensitive);
    }
};

using Schema = QList<SchemaObject>;

// The objects of the main file, without SQLite's own (sqlite_sequence, sqlite_stat1, key indexes).
Schema schemaOf(Engine& engine)
{
    Schema schema;
    const StatementResult result =
        engine.run(QStringLiteral("SELECT type, name, tbl_name, sql FROM main.sqlite_schema "
                                  "WHERE name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY rowid"));
    while (result.rows->next())
        schema.append({result.rows->toText(0), result.rows->toText(1), result.rows->toText(2),
                       result.rows->isNull(3) ? QString() : result.rows->toText(3)});
    return schema;
}

// What the shipped schema makes, in the order it makes it.
Schema shippedSchema()
{
    SqliteEngine shipped(QStringLiteral(":memory:"), SqliteRole::Administrator);
    shipped.open();
    shipped.runScript(serverScript(ServerScript::SqliteSchema));
    shipped.runScript(serverScript(ServerScript::SqliteHistory));
    return schemaOf(shipped);
}

QHash<QString, const SchemaObject*> byName(const Schema& schema)
{
    QHash<QString, const SchemaObject*> names;
    for (const SchemaObject& object : schema)
        names.insert(object.name.toLower(), &object);
    return names;
}

QString kindOf(const SchemaObject& object)
{
    if (object.type == QLatin1String("table"))
        return object.isVirtual() ? QStringLiteral("виртуальная таблица") : QStringLiteral("таблица");
    if (object.type == QLatin1String("view"))
        return QStringLiteral("представление");
    if (object.type == QLatin1String("index"))
        return QStringLiteral("индекс");
    return QStringLiteral("триггер");
}

QString described(const SchemaObject& object)
{
    QString text = QStringLiteral("%1 «%2»").arg(kindOf(object), object.name);
    if (object.type == QLatin1String("index") || object.type == QLatin1String("trigger"))
        text += QStringLiteral(" (таблица «%1»)").arg(object.table);
    return text;
}

// Whether the installation's object is not the shipped one of its name: foreign, of another kind, or, for
// what holds no data, of another text. Tables of the shipped names keep their rows; their columns are
// brought up to date elsewhere.
bool replaced(const SchemaObject& object, const QHash<QString, const SchemaObject*>& shipped)
{
    const SchemaObject* own = shipped.value(object.name.toLower());
    if (!own || own->type != object.type || own->isVirtual() != object.isVirtual())
        return true;
    return object.type != QLatin1String("table") && own->sql != object.sql;
}

// Virtual tables first: dropping one drops its shadow tables with it. Triggers and views before the tables
// they may name.
int dropOrder(const SchemaObject& object)
{
    if (object.isVirtual())
        return 0;
    if (object.type == QLatin1String("trigger"))
        return 1;
    if (object.type == QLatin1String("view"))
        return 2;
    if (object.type == QLatin1String("index"))
        return 3;
    return 4;
}

// The next object to drop, null when none is left.
std::optional<SchemaObject> nextToDrop(Engine& engine, const QHash<QString, const SchemaObject*>& shipped)
{
    std::optional<SchemaObject> next;
    for (const SchemaObject& object : schemaOf(engine)) {
        if (replaced(object, shipped) && (!next || dropOrder(object) < dropOrder(*next)))
            next = object;
    }
    return next;
}

QString dropStatement(const Dialect& dialect, const SchemaObject& object)
{
    return QStringLiteral("DROP %1 main.%2").arg(object.type.toUpper(), dialect.quoteIdentifier(object.name));
}

QStringList repairInside(Engine& engine)
{
    const Schema shipped = shippedSchema();
    const QHash<QString, const SchemaObject*> shippedNames = byName(shipped);
    QStringList report;
    QSet<QString> dropped;
    while (const std::optional<SchemaObject> object = nextToDrop(engine, shippedNames)) {
        engine.run(dropStatement(engine.dialect(), *object));
        const bool own = shippedNames.contains(object->name.toLower());
        if (own)
            dropped.insert(object->name.toLower());
        report.append(own ? QStringLiteral("Удалён изменённый объект: %1.").arg(described(*object))
                          : QStringLiteral("Удалён объект, которого установка не создавала: %1.")
                                .arg(described(*object)));
    }
    const Schema now = schemaOf(engine);
    const QHash<QString, const SchemaObject*> existing = byName(now);
    for (const SchemaObject& object : shipped) {
        if (object.sql.isEmpty() || existing.contains(object.name.toLower()))
            continue;
        engine.run(object.sql);
        report.append(dropped.contains(object.name.toLower())
                          ? QStringLiteral("Создан заново: %1.").arg(described(object))
                          : QStringLiteral("Создан недостававший объект: %1.").arg(described(object)));
    }
    // The form's requisites are changed, never added: their one row must be there.
    engine.run(QStringLiteral("INSERT INTO Rekvizity (id_rekvizity) SELECT 1 WHERE NOT EXISTS "
                              "(SELECT 1 FROM Rekvizity WHERE id_rekvizity = 1)"));
    return report;
}

// No real table comes near this key; an older client could set a key counter or a log row's key up to the
// largest one, after which AUTOINCREMENT hands out nothing.
constexpr qint64 SaneKeyLimit = qint64(1) << 53;

qint64 scalarOf(Engine& engine, const QString& sql, const QVariantList& params = {})
{
    const StatementResult result = engine.run(sql, params);
    return result.rows->next() ? result.rows->toInt64(0) : 0;
}

QStringList repairKeys(Engine& engine)
{
    QStringList report;
    const qint64 taken =
        scalarOf(engine, QStringLiteral("SELECT count(*) FROM ZEB_LOG WHERE id_zeb_log > ?"), {SaneKeyLimit});
    for (qint64 i = 0; i < taken; ++i)
        engine.run(
            QStringLiteral(
                "UPDATE ZEB_LOG SET id_zeb_log = (SELECT coalesce(max(id_zeb_log), 0) + 1 FROM ZEB_LOG "
                "WHERE id_zeb_log <= ?1) WHERE id_zeb_log = (SELECT min(id_zeb_log) FROM ZEB_LOG WHERE "
                "id_zeb_log > ?1)"),
            {SaneKeyLimit});
    if (taken > 0)
        report.append(
            QStringLiteral("Строкам журнала ZEB_LOG с ключами у предела (%1) даны следующие по порядку "
                           "ключи.")
                .arg(taken));
    QStringList tables;
    {
        const StatementResult result =
            engine.run(QStringLiteral("SELECT name FROM sqlite_sequence WHERE seq > ?"), {SaneKeyLimit});
        while (result.rows->next())
            tables.append(result.rows->toText(0));
    }
    for (const QString& table : std::as_const(tables)) {
        const qint64 largest = scalarOf(engine, QStringLiteral("SELECT coalesce(max(rowid), 0) FROM main.%1")
                                                    .arg(engine.dialect().quoteIdentifier(table)));
        if (largest > SaneKeyLimit)
            continue;
        engine.run(QStringLiteral("UPDATE sqlite_sequence SET seq = ? WHERE name = ?"), {largest, table});
        report.append(QStringLiteral("Счётчик ключей таблицы «%1» возвращён к наибольшему ключу (%2).")
                          .arg(table)
                          .arg(largest));
    }
    return report;
}

} // namespace

QStringList repairSqliteSchema(Engine& admin)
{
    Transaction transaction(admin);
    QStringList report = repairInside(admin) + repairKeys(admin);
    transaction.commit();
    return report;
}

} // namespace zeb
