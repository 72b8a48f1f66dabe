#include "data/sqlite/SqliteBinding.h"

#include "data/DatabaseError.h"
#include "data/sqlite/SqliteDateText.h"

#include <QDateTime>
#include <limits>
#include <sqlite3.h>

namespace zeb::sqlitebinding {

namespace {

int bindText(sqlite3_stmt* statement, int index, const QByteArray& utf8)
{
    return sqlite3_bind_text(statement, index, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

int bindOne(sqlite3_stmt* statement, int index, const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return sqlite3_bind_null(statement, index);
    switch (value.typeId()) {
    case QMetaType::Bool:
        return sqlite3_bind_int(statement, index, value.toBool() ? 1 : 0);
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
        return sqlite3_bind_int64(statement, index, value.toLongLong());
    case QMetaType::ULongLong: {
        const qulonglong number = value.toULongLong();
        if (number > qulonglong(std::numeric_limits<qint64>::max()))
            return sqlite3_bind_double(statement, index, double(number));
        return sqlite3_bind_int64(statement, index, qint64(number));
    }
    case QMetaType::Float:
    case QMetaType::Double:
        return sqlite3_bind_double(statement, index, value.toDouble());
    case QMetaType::QString:
        return bindText(statement, index, value.toString().toUtf8());
    case QMetaType::QByteArray: {
        const QByteArray bytes = value.toByteArray();
        return sqlite3_bind_blob(statement, index, bytes.constData(), int(bytes.size()), SQLITE_TRANSIENT);
    }
    case QMetaType::QDate: {
        const QDate date = value.toDate();
        return date.isValid() ? bindText(statement, index, sqlitedate::formatDate(date))
                              : sqlite3_bind_null(statement, index);
    }
    case QMetaType::QDateTime: {
        const QDateTime dateTime = value.toDateTime();
        return dateTime.isValid() ? bindText(statement, index, sqlitedate::formatDateTime(dateTime))
                                  : sqlite3_bind_null(statement, index);
    }
    default:
        break;
    }
    throw DatabaseError(QStringLiteral("Значение типа %1 нельзя передать базе данных.")
                            .arg(QString::fromLatin1(value.metaType().name())));
}

} // namespace

void bind(sqlite3_stmt* statement, const QVariantList& params)
{
    const int expected = sqlite3_bind_parameter_count(statement);
    if (expected != params.size())
        throw DatabaseError(QStringLiteral("Оператор ожидает параметров: %1, передано: %2.")
                                .arg(expected)
                                .arg(params.size()));
    for (int i = 0; i < expected; ++i) {
        if (bindOne(statement, i + 1, params.at(i)) != SQLITE_OK)
            throw DatabaseError(QString::fromUtf8(sqlite3_errmsg(sqlite3_db_handle(statement))));
    }
}

} // namespace zeb::sqlitebinding
