#include "data/dataset/Field.h"

#include "data/dataset/Dataset.h"
#include "data/dataset/DecimalText.h"
#include "data/dataset/TemporalText.h"
#include "data/dataset/ValueText.h"

namespace zeb {

Field::Field(Dataset& dataset, FieldDef def, int storeColumn)
    : m_dataset(dataset), m_def(std::move(def)), m_storeColumn(storeColumn)
{
}

QVariant Field::value() const
{
    return m_dataset.fieldValue(*this);
}

bool Field::isNull() const
{
    return m_dataset.fieldIsNull(*this);
}

QString Field::asString() const
{
    return valuetext::toText(value(), m_def.type);
}

// A decimal is plain text: its digits when whole, so that an 18-digit key stays exact.
qint64 Field::asInteger() const
{
    const QVariant v = value();
    bool whole = false;
    const qint64 number = v.toLongLong(&whole);
    return whole ? number : qint64(v.toDouble());
}

double Field::asFloat() const
{
    return value().toDouble();
}

QDateTime Field::asDateTime() const
{
    const QVariant v = value();
    if (v.typeId() == QMetaType::QDate)
        return QDateTime(v.toDate(), QTime(0, 0));
    const QDateTime wallClock = v.toDateTime();
    return QDateTime(wallClock.date(), wallClock.time());
}

QVariant Field::oldValue() const
{
    return m_dataset.fieldOldValue(*this);
}

QString Field::displayText() const
{
    return valuetext::toDisplay(value(), m_def.type, m_def.displayFormat);
}

// Values are kept in the field's own type: texts cut to the field's size, dates without their time,
// date-times as the wall clock reads them, decimals as their exact plain text.
void Field::setValue(const QVariant& value)
{
    if (isLookup() || value.isNull()) {
        m_dataset.setFieldValue(*this, value);
        return;
    }
    QVariant typed = value;
    switch (m_def.type) {
    case FieldType::Text:
        if (m_def.size > 0)
            typed = value.toString().left(m_def.size);
        else
            typed = value.toString();
        break;
    case FieldType::Date:
        // A date goes in as it is: through a date-time it would pass the local time zone for nothing.
        if (value.typeId() == QMetaType::QString)
            typed = valuetext::parse(value.toString(), m_def.type);
        else if (value.typeId() != QMetaType::QDate)
            typed = value.toDateTime().date();
        break;
    case FieldType::DateTime:
        typed = value.typeId() == QMetaType::QString ? valuetext::parse(value.toString(), m_def.type)
                                                     : QVariant(temporal::wallClock(value.toDateTime()));
        break;
    case FieldType::Decimal:
        typed = value.typeId() == QMetaType::QString ? valuetext::parse(value.toString(), m_def.type)
                                                     : valuetext::decimalValue(value);
        valuetext::checkDecimalFits(value.toString(), typed, m_def.precision, m_def.scale);
        break;
    case FieldType::Integer:
    case FieldType::Float:
    case FieldType::Boolean:
        if (value.typeId() == QMetaType::QString)
            typed = valuetext::parse(value.toString(), m_def.type);
        break;
    case FieldType::Memo:
    case FieldType::Unknown:
    case FieldType::Binary:
        break;
    }
    m_dataset.setFieldValue(*this, typed);
}

// An emptied cell holds no value, whatever its type: a cleared order number is NULL, not ''.
void Field::setAsString(const QString& text)
{
    if (text.isEmpty()) {
        clear();
        return;
    }
    if (isLookup() || m_def.type == FieldType::Text || m_def.type == FieldType::Memo ||
        m_def.type == FieldType::Unknown) {
        setValue(text);
        return;
    }
    m_dataset.setFieldValue(*this, parsed(text));
}

void Field::checkText(const QString& text) const
{
    if (text.isEmpty() || isLookup() || m_def.type == FieldType::Text || m_def.type == FieldType::Memo ||
        m_def.type == FieldType::Unknown)
        return;
    parsed(text);
}

QVariant Field::parsed(const QString& text) const
{
    const QVariant typed = valuetext::parse(text, m_def.type);
    if (m_def.type == FieldType::Decimal)
        valuetext::checkDecimalFits(text, typed, m_def.precision, m_def.scale);
    return typed;
}

void Field::setAsInteger(qint64 value)
{
    setValue(QVariant(value));
}

void Field::setAsDateTime(const QDateTime& value)
{
    setValue(QVariant(value));
}

void Field::clear()
{
    m_dataset.setFieldValue(*this, QVariant());
}

} // namespace zeb
