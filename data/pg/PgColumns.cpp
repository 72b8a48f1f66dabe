#include "data/pg/PgColumns.h"

#include "data/pg/LibPq.h"

namespace zeb {

namespace {

// OIDs of the built-in types (pg_type.dat); they never change between server versions.
enum PgTypeOid : Oid
{
    BoolOid = 16,
    ByteaOid = 17,
    NameOid = 19,
    Int8Oid = 20,
    Int2Oid = 21,
    Int4Oid = 23,
    TextOid = 25,
    OidOid = 26,
    Float4Oid = 700,
    Float8Oid = 701,
    BpcharOid = 1042,
    VarcharOid = 1043,
    DateOid = 1082,
    TimestampOid = 1114,
    TimestamptzOid = 1184,
    NumericOid = 1700,
};

// A text computed by the statement (a literal, NULL, a concatenation) is a plain text; only a stored
// text column is a memo.
FieldType fieldTypeOf(Oid type, bool fromTable)
{
    switch (type) {
    case BoolOid:
        return FieldType::Boolean;
    case Int2Oid:
    case Int4Oid:
    case Int8Oid:
    case OidOid:
        return FieldType::Integer;
    case Float4Oid:
    case Float8Oid:
        return FieldType::Float;
    case NumericOid:
        return FieldType::Decimal;
    case TextOid:
    case NameOid:
        return fromTable ? FieldType::Memo : FieldType::Text;
    case DateOid:
        return FieldType::Date;
    case TimestampOid:
    case TimestamptzOid:
        return FieldType::DateTime;
    case ByteaOid:
        return FieldType::Binary;
    default:
        return FieldType::Text;
    }
}

// For char(n) and varchar(n) the type modifier is n plus the 4 bytes of the length header.
int declaredLength(Oid type, int modifier)
{
    if (type != BpcharOid && type != VarcharOid)
        return 0;
    return modifier >= 4 ? modifier - 4 : 0;
}

} // namespace

ColumnList pgColumns(const PGresult* result)
{
    ColumnList columns;
    const int count = libpq().PQnfields(result);
    columns.reserve(count);
    for (int column = 0; column < count; ++column) {
        const Oid type = libpq().PQftype(result, column);
        const bool fromTable = libpq().PQftable(result, column) != InvalidOid;
        columns.append({QString::fromUtf8(libpq().PQfname(result, column)), fieldTypeOf(type, fromTable),
                        declaredLength(type, libpq().PQfmod(result, column))});
    }
    return columns;
}

} // namespace zeb
