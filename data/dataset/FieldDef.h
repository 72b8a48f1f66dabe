#pragma once

#include "data/ColumnInfo.h"

#include <QString>

namespace zeb {

class Dataset;

// How a dataset field is defined: a column of the result, or a lookup shown from another dataset.
struct FieldDef
{
    enum class Kind
    {
        Data,
        Lookup,
    };

    QString name;
    Kind kind = Kind::Data;
    FieldType type = FieldType::Unknown;
    int size = 0;
    // A decimal column's numeric(precision, scale): a value it cannot hold exactly is refused. 0: no bound.
    int precision = 0;
    int scale = 0;
    bool required = false;
    bool readOnly = false;
    QString displayFormat;

    // Lookup: the value of `lookupResultField` in the row of `lookupDataset` whose `lookupKeyField`
    // equals this dataset's `keyField`.
    QString keyField;
    Dataset* lookupDataset = nullptr;
    QString lookupKeyField;
    QString lookupResultField;

    static FieldDef data(const QString& name, FieldType type, int size = 0)
    {
        FieldDef def;
        def.name = name;
        def.type = type;
        def.size = size;
        return def;
    }

    static FieldDef decimal(const QString& name, int precision, int scale)
    {
        FieldDef def = data(name, FieldType::Decimal);
        def.precision = precision;
        def.scale = scale;
        return def;
    }

    static FieldDef lookup(const QString& name, int size, const QString& keyField, Dataset* lookupDataset,
                           const QString& lookupKeyField, const QString& lookupResultField)
    {
        FieldDef def;
        def.name = name;
        def.kind = Kind::Lookup;
        def.type = FieldType::Text;
        def.size = size;
        def.keyField = keyField;
        def.lookupDataset = lookupDataset;
        def.lookupKeyField = lookupKeyField;
        def.lookupResultField = lookupResultField;
        return def;
    }
};

} // namespace zeb
