#include "data/dataset/KeyIndex.h"

#include "data/dataset/RowStore.h"

#include <QDateTime>
#include <optional>

namespace zeb {

namespace {

std::optional<qint64> wholeNumber(const QVariant& value)
{
    bool ok = false;
    switch (value.typeId()) {
    case QMetaType::QString: {
        const qint64 number = value.toString().toLongLong(&ok);
        return ok ? std::optional<qint64>(number) : std::nullopt;
    }
    // Straight, not through a double, which holds only 15 to 17 digits.
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
        return value.toLongLong();
    default:
        break;
    }
    const double number = value.toDouble(&ok);
    if (!ok || number != double(qint64(number)))
        return std::nullopt;
    return qint64(number);
}

} // namespace

// A number given as a whole one reads as its digits, so that 5.0 meets the text "5"; a date-time reads as
// its wall clock, whatever zone it carries.
QString KeyIndex::keyText(const QVariant& value)
{
    if (value.typeId() == QMetaType::QDateTime)
        return value.toDateTime().toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz"));
    if (value.typeId() != QMetaType::QString) {
        if (const std::optional<qint64> number = wholeNumber(value))
            return QString::number(*number);
    }
    return value.toString();
}

bool KeyIndex::sameKey(const QVariant& a, const QVariant& b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    return keyText(a) == keyText(b);
}

KeyIndex::KeyIndex(const RowStore& store, int column, const std::vector<int>& rows)
    : m_integral(store.columnType(column) == FieldType::Integer ||
                 store.columnType(column) == FieldType::Boolean)
{
    if (m_integral)
        m_numbers.reserve(qsizetype(rows.size()));
    else
        m_texts.reserve(qsizetype(rows.size()));
    // Backwards, so that the first row of a key is the one kept.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (store.isNull(*row, column))
            m_firstNull = *row;
        else if (m_integral)
            m_numbers.insert(store.integer(*row, column), *row);
        else
            m_texts.insert(keyText(store.value(*row, column)), *row);
    }
}

int KeyIndex::find(const QVariant& key) const
{
    if (key.isNull())
        return m_firstNull;
    if (!m_integral)
        return m_texts.value(keyText(key), -1);
    const std::optional<qint64> number = wholeNumber(key);
    return number ? m_numbers.value(*number, -1) : -1;
}

} // namespace zeb
