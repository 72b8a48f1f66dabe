#include "signin/GetUserAnswer.h"

#include "credentials/Scrambling.h"
#include "data/ResultCursor.h"
#include "platform/Error.h"

#include <cmath>

namespace zeb {

namespace {

constexpr int columnCount = 6;
// Older servers answer without them.
constexpr int digestColumn = 6;
constexpr int buildColumn = 7;

QString readText(const ResultCursor& cursor, int column)
{
    return cursor.isNull(column) ? QString() : cursor.toText(column);
}

qint64 readInteger(const ResultCursor& cursor, int column)
{
    if (cursor.isNull(column))
        return 0;
    const QVariant value = cursor.value(column);
    bool ok = false;
    qint64 number = 0;
    switch (value.typeId()) {
    case QMetaType::Double: {
        const double real = value.toDouble();
        ok = std::isfinite(real) && std::fabs(real) < 9.0e18; // stays within qint64
        if (ok)
            number = qRound64(real);
        break;
    }
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QByteArray:
        break;
    default:
        number = value.toLongLong(&ok);
    }
    if (!ok)
        throw Error(QStringLiteral("Ответ процедуры GET_USER: в столбце %1 не целое число («%2»).")
                        .arg(column)
                        .arg(value.toString()));
    return number;
}

} // namespace

GetUserAnswer GetUserAnswer::read(ResultCursor& cursor)
{
    if (cursor.columns().size() < columnCount)
        throw Error(QStringLiteral("Ответ процедуры GET_USER неполон: столбцов %1, нужно не менее %2.")
                        .arg(cursor.columns().size())
                        .arg(columnCount));
    if (!cursor.next())
        throw Error(QStringLiteral("Процедура GET_USER не вернула ни одной строки."));

    GetUserAnswer answer;
    answer.dbUserId = readText(cursor, 0);
    answer.dbPassword = readText(cursor, 1);
    answer.passwordStatus = readInteger(cursor, 3);
    answer.message = readText(cursor, 4);
    answer.updateIndicator = readInteger(cursor, 5);
    if (cursor.columns().size() > digestColumn)
        answer.updateDigest = readText(cursor, digestColumn);
    if (cursor.columns().size() > buildColumn)
        answer.updateBuild = readInteger(cursor, buildColumn);
    return answer;
}

QString GetUserAnswer::unscrambledUserId() const
{
    return unscramble(dbUserId);
}

QString GetUserAnswer::unscrambledPassword() const
{
    return unscramble(dbPassword);
}

} // namespace zeb
