#pragma once

#include "data/ColumnInfo.h"
#include "data/ConnectionParams.h"

#include <QHash>
#include <QStringList>
#include <QVariantList>

namespace zeb {

// A column of the table that write-back writes.
struct WriteColumn
{
    QString name;
    FieldType type;
};

// A cell a save changes: the value it was read with and the one to write.
struct CellChange
{
    int column;
    QVariant oldValue;
    QVariant newValue;
};

// The UPDATE and DELETE texts write-back sends for one table in one engine's dialect, with the values to
// bind. A text depends only on its shape: which columns an update assigns and, where the dialect writes a
// condition differently for NULL, which read values are NULL. So each shape is written once and kept, and
// the engine can keep it prepared.
class WriteStatements
{
public:
    WriteStatements(EngineKind engine, const QString& table, const QList<WriteColumn>& columns,
                    int keyColumn);

    EngineKind engine() const { return m_engine; }
    // Quoted for the engine.
    const QString& table() const { return m_table; }
    const QString& column(int index) const { return m_names[index]; }

    // The UPDATE of the changed columns but the key (`changes` in column order), its values appended to
    // params; an empty text when it changes nothing. Only the row with the read key that still holds the
    // read values of the columns it changes matches.
    QString update(const QVariant& key, const QList<CellChange>& changes, QVariantList& params);
    // The DELETE of the row still holding every read value.
    QString remove(const QVariantList& oldValues, QVariantList& params);
    // A SELECT that finds the row only while it still holds every read value; on PostgreSQL it also locks
    // the row for the rest of the transaction.
    QString lockUnchanged(const QVariantList& oldValues, QVariantList& params);

private:
    enum class Comparison
    {
        Is,
        DateIs,
        DateTimeIs,
        NotDistinct,
        Equal,
        IsNull,
    };

    Comparison comparison(int column, bool readNull) const;
    void addReadValue(int column, const QVariant& old, QByteArray& shape, QVariantList& params) const;
    // The value as bound for the column, and its marker in the text.
    QVariant bound(int column, const QVariant& value) const;
    QString marker(int column, int index) const;
    QString wholeRowStatement(char kind, const QVariantList& oldValues, QVariantList& params);
    QString textOf(const QByteArray& shape);
    QString write(const QByteArray& shape) const;
    QString sameRowCondition(const QByteArray& shape, int next) const;
    static QString term(Comparison compared, const QString& name, const QString& value);

    EngineKind m_engine;
    QString m_table;
    QStringList m_names;
    QList<FieldType> m_types;
    int m_keyColumn;
    QHash<QByteArray, QString> m_texts;
};

} // namespace zeb
