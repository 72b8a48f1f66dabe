#include "data/tsql/TsqlExec.h"

#include "data/tsql/TsqlQuoting.h"

#include <QStringList>

namespace zeb {

namespace {

struct Literal
{
    QVariant value;
    QString postgres;
};

// A literal value at `pos`: 'text', N'text', NULL, or a number with an optional sign.
std::optional<Literal> readLiteral(const QList<TsqlToken>& tokens, qsizetype& pos)
{
    const TsqlToken& token = tokens.at(pos);
    if (token.type == TsqlToken::Type::String) {
        ++pos;
        return Literal{token.value, stringLiteral(token.value, SqlDialect::Postgres)};
    }
    if (token.isWord(u"NULL")) {
        ++pos;
        return Literal{QVariant(), QStringLiteral("NULL")};
    }
    bool negative = false;
    if (token.isSymbol(u"-") || token.isSymbol(u"+")) {
        negative = token.isSymbol(u"-");
        if (++pos == tokens.size())
            return std::nullopt;
    }
    const TsqlToken& number = tokens.at(pos);
    if (number.type != TsqlToken::Type::Number || number.text.startsWith(u"0x", Qt::CaseInsensitive))
        return std::nullopt;
    ++pos;
    const QString text = negative ? u'-' + number.text : number.text;
    bool ok = false;
    const qint64 integer = text.toLongLong(&ok);
    if (ok)
        return Literal{integer, text};
    const double real = text.toDouble(&ok);
    if (!ok)
        return std::nullopt;
    return Literal{real, text};
}

} // namespace

std::optional<TsqlExecCall> parseTsqlExec(const QList<TsqlToken>& significant)
{
    const qsizetype count = significant.size();
    if (count < 2 || !(significant.at(0).isWord(u"EXEC") || significant.at(0).isWord(u"EXECUTE")))
        return std::nullopt;

    // The procedure's own name is the last part of a dotted name.
    qsizetype pos = 1;
    if (!significant.at(pos).isNameToken())
        return std::nullopt;
    TsqlExecCall exec;
    exec.call.name = significant.at(pos++).value;
    while (pos + 1 < count && significant.at(pos).isSymbol(u".") && significant.at(pos + 1).isNameToken()) {
        exec.call.name = significant.at(pos + 1).value;
        pos += 2;
    }

    bool named = false;
    while (pos < count) {
        ProcedureArgument argument;
        if (significant.at(pos).type == TsqlToken::Type::Variable) {
            if (pos + 2 >= count || !significant.at(pos + 1).isSymbol(u"="))
                return std::nullopt;
            argument.name = significant.at(pos).text.mid(1);
            named = true;
            pos += 2;
        } else if (named) {
            return std::nullopt; // a positional argument may not follow a named one
        }
        const std::optional<Literal> literal = readLiteral(significant, pos);
        if (!literal)
            return std::nullopt;
        argument.value = literal->value;
        exec.call.arguments.append(argument);
        exec.postgresValues.append(literal->postgres);
        if (pos == count)
            break;
        if (!significant.at(pos).isSymbol(u",") || ++pos == count)
            return std::nullopt;
    }
    return exec;
}

QString postgresCallStatement(const TsqlExecCall& exec)
{
    QStringList arguments;
    for (qsizetype i = 0; i < exec.call.arguments.size(); ++i) {
        const QString& name = exec.call.arguments.at(i).name;
        const QString& value = exec.postgresValues.at(i);
        arguments.append(name.isEmpty() ? value : postgresName(name) + QStringLiteral(" => ") + value);
    }
    const QString target = QStringLiteral("dbo.") + postgresName(exec.call.name) + u'(' +
                           arguments.join(QStringLiteral(", ")) + u')';
    if (exec.call.name.compare(u"GET_USER", Qt::CaseInsensitive) == 0)
        return QStringLiteral("SELECT * FROM ") + target;
    return QStringLiteral("CALL ") + target;
}

} // namespace zeb
