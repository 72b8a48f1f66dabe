#pragma once

#include "data/sqlite/SqliteEngine.h"

#include <QFile>
#include <QTemporaryDir>

// A new database file in a temporary folder with the shipped schema loaded, open as the administrator.
class SqliteTestFile
{
public:
    SqliteTestFile() : m_engine(path(), zeb::SqliteRole::Administrator)
    {
        m_engine.open();
        m_engine.beginTransaction(); // one sync for the whole schema
        m_engine.runScript(schema());
        m_engine.commit();
    }

    zeb::SqliteEngine& engine() { return m_engine; }

    // The first cell of the first row; a null QVariant when there is no row.
    static QVariant scalarOf(zeb::Engine& engine, const QString& sql, const QVariantList& params = {})
    {
        const zeb::StatementResult result = engine.run(sql, params);
        return result.rows->next() ? result.rows->value(0) : QVariant();
    }
    QVariant scalar(const QString& sql, const QVariantList& params = {})
    {
        return scalarOf(m_engine, sql, params);
    }
    QString path() const { return m_dir.filePath(QStringLiteral("zeb.db")); }

    static QString schema()
    {
        QFile file(QStringLiteral(ZEB_SOURCE_DIR "/server/sqlite/schema.sql"));
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read %s", qPrintable(file.fileName()));
        return QString::fromUtf8(file.readAll());
    }

private:
    QTemporaryDir m_dir;
    zeb::SqliteEngine m_engine;
};
