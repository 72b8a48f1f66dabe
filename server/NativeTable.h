#pragma once

#include "data/ConnectionParams.h"

#include <QStringList>
#include <QVariantList>

namespace zeb {

class Engine;

// One table of the installation written to in the engine's own dialect, every value bound as a parameter.
// Names are given as the client writes them; on PostgreSQL they are folded and qualified with dbo.
class NativeTable
{
public:
    NativeTable(Engine& engine, const QString& name);

    const QString& name() const { return m_qualifiedName; }
    QString column(const QString& name) const;
    QString placeholder(int index) const;

    // Inserts one row. With a key column, returns the key the server assigned to it, else 0.
    qint64 insert(const QStringList& columns, const QVariantList& values,
                  const QString& keyColumn = {}) const;

    struct KeyedName
    {
        int key;
        const char* name;
    };
    // Inserts reference rows of a key and a UTF-8 name.
    void insertNames(const QString& keyColumn, const QString& nameColumn,
                     std::initializer_list<KeyedName> rows) const;

    // Sets the columns of the rows whose keyColumn equals key; returns the rows changed.
    qint64 update(const QStringList& columns, const QVariantList& values, const QString& keyColumn,
                  const QVariant& key) const;

private:
    Engine& m_engine;
    EngineKind m_kind;
    QString m_qualifiedName;
};

} // namespace zeb
