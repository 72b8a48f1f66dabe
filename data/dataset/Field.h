#pragma once

#include "data/dataset/FieldDef.h"

#include <QDateTime>
#include <QVariant>

namespace zeb {

class Dataset;

// One field of a dataset, read and written on the dataset's current row.
class Field
{
public:
    Field(Dataset& dataset, FieldDef def, int storeColumn);

    const QString& fieldName() const { return m_def.name; }
    const FieldDef& definition() const { return m_def; }
    FieldType dataType() const { return m_def.type; }
    int size() const { return m_def.size; }
    bool isLookup() const { return m_def.kind == FieldDef::Kind::Lookup; }
    bool isRequired() const { return m_def.required; }
    bool isReadOnly() const { return m_def.readOnly; }
    const QString& displayFormat() const { return m_def.displayFormat; }
    // Column of the dataset's row store; -1 for a lookup field.
    int storeColumn() const { return m_storeColumn; }

    QVariant value() const;
    bool isNull() const;
    QString asString() const;
    qint64 asInteger() const;
    double asFloat() const;
    // The wall clock as local time, to be compared with the clock. value() gives it as temporal::wallClock()
    // does, which also holds a time the local clocks skip.
    QDateTime asDateTime() const;
    // The value the row had when it was last read from or saved to the database.
    QVariant oldValue() const;
    // The value as the grid shows it (display format, Russian dates and decimal comma).
    QString displayText() const;

    void setValue(const QVariant& value);
    void setAsString(const QString& text);
    // Raises zeb::Error when setAsString() would refuse the text: no value of the field's type, or one its
    // column cannot hold exactly. Writes nothing.
    void checkText(const QString& text) const;
    void setAsInteger(qint64 value);
    void setAsDateTime(const QDateTime& value);
    void clear();

private:
    // The typed value of a text for a field that is no text; raises zeb::Error as checkText() says.
    QVariant parsed(const QString& text) const;

    Dataset& m_dataset;
    FieldDef m_def;
    int m_storeColumn;
};

} // namespace zeb
