#include "report/UnitCodes.h"

#include "data/Connection.h"
#include "data/Dialect.h"
#include "data/Engine.h"

namespace zeb {

UnitCodes UnitCodes::load(Connection& connection)
{
    return load(connection.engine());
}

UnitCodes UnitCodes::load(Engine& engine)
{
    UnitCodes codes;
    const StatementResult result =
        engine.run(QStringLiteral("SELECT kind, id_unit, code FROM %1")
                       .arg(engine.dialect().clientTable(QStringLiteral("Kod_podrazd"))));
    while (result.rows->next()) {
        const QString letter = result.rows->toText(0).trimmed();
        const std::optional<Kind> kind = letter.size() == 1 ? kindOf(letter.at(0)) : std::nullopt;
        if (kind)
            codes.set(*kind, result.rows->toInt64(1), result.rows->toText(2).trimmed());
    }
    return codes;
}

void UnitCodes::set(Kind kind, qint64 key, const QString& code)
{
    if (code.isEmpty())
        m_codes.erase({kind, key});
    else
        m_codes[{kind, key}] = code;
}

QString UnitCodes::codeOf(Kind kind, qint64 key) const
{
    const auto found = m_codes.find({kind, key});
    return found == m_codes.end() ? QString() : found->second;
}

QChar UnitCodes::letterOf(Kind kind)
{
    switch (kind) {
    case Kind::Division:
        return u'O';
    case Kind::Faculty:
        return u'F';
    case Kind::Department:
        return u'K';
    }
    return {};
}

std::optional<UnitCodes::Kind> UnitCodes::kindOf(QChar letter)
{
    for (const Kind kind : {Kind::Division, Kind::Faculty, Kind::Department}) {
        if (letterOf(kind) == letter.toUpper())
            return kind;
    }
    return std::nullopt;
}

} // namespace zeb
