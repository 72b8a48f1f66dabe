#include "data/tsql/TsqlRewriter.h"

#include "data/DatabaseError.h"
#include "data/tsql/TsqlExec.h"
#include "data/tsql/TsqlQueryRewrite.h"
#include "data/tsql/TsqlTokenizer.h"

#include <algorithm>
#include <optional>

namespace zeb {

namespace {

// The statement's significant tokens, without a final ';'.
QList<TsqlToken> significantTokens(const QList<TsqlToken>& tokens)
{
    QList<TsqlToken> significant;
    for (const TsqlToken& token : tokens) {
        if (token.isSignificant())
            significant.append(token);
    }
    if (!significant.isEmpty() && significant.last().isSymbol(u";"))
        significant.removeLast();
    return significant;
}

std::optional<DateOrder> dateOrderNamed(const TsqlToken& token)
{
    if (token.type != TsqlToken::Type::Identifier && token.type != TsqlToken::Type::String)
        return std::nullopt;
    if (token.value.compare(u"dmy", Qt::CaseInsensitive) == 0)
        return DateOrder::Dmy;
    if (token.value.compare(u"mdy", Qt::CaseInsensitive) == 0)
        return DateOrder::Mdy;
    if (token.value.compare(u"ymd", Qt::CaseInsensitive) == 0)
        return DateOrder::Ymd;
    return std::nullopt;
}

QString postgresDateStyle(DateOrder order)
{
    switch (order) {
    case DateOrder::Dmy:
        return QStringLiteral("SET DateStyle = 'ISO, DMY'");
    case DateOrder::Ymd:
        return QStringLiteral("SET DateStyle = 'ISO, YMD'");
    case DateOrder::Mdy:
        break;
    }
    return QStringLiteral("SET DateStyle = 'ISO, MDY'");
}

bool isTransactionWord(const TsqlToken& token)
{
    return token.isWord(u"TRAN") || token.isWord(u"TRANSACTION");
}

bool isTransactionName(const TsqlToken& token)
{
    return token.isNameToken() || token.type == TsqlToken::Type::Variable;
}

// BEGIN TRAN[SACTION] [name], COMMIT [TRAN[SACTION] [name] | WORK], ROLLBACK [TRAN[SACTION] | WORK].
// A ROLLBACK naming a transaction may name a savepoint instead, which a plain ROLLBACK would not honour.
std::optional<QString> transactionCommand(const QList<TsqlToken>& s)
{
    const qsizetype n = s.size();
    if (s.at(0).isWord(u"BEGIN") && n >= 2 && isTransactionWord(s.at(1)) &&
        (n == 2 || (n == 3 && isTransactionName(s.at(2)))))
        return QStringLiteral("BEGIN");
    const bool commit = s.at(0).isWord(u"COMMIT");
    if (!commit && !s.at(0).isWord(u"ROLLBACK"))
        return std::nullopt;
    const bool plain = n == 1 || (n == 2 && (isTransactionWord(s.at(1)) || s.at(1).isWord(u"WORK")));
    const bool named = commit && n == 3 && isTransactionWord(s.at(1)) && isTransactionName(s.at(2));
    if (!plain && !named)
        return std::nullopt;
    return commit ? QStringLiteral("COMMIT") : QStringLiteral("ROLLBACK");
}

// SQL Server refuses "IN ()"; SQLite would take it as an empty list and quietly match nothing.
bool hasEmptyInList(const QList<TsqlToken>& s)
{
    for (qsizetype i = 0; i + 2 < s.size(); ++i) {
        if (s.at(i).isWord(u"IN") && s.at(i + 1).isSymbol(u"(") && s.at(i + 2).isSymbol(u")"))
            return true;
    }
    return false;
}

// Whether the statement has a literal that may stand for a date.
bool hasStringLiteral(const QList<TsqlToken>& significant)
{
    return std::any_of(significant.begin(), significant.end(),
                       [](const TsqlToken& token) { return token.type == TsqlToken::Type::String; });
}

} // namespace

TsqlRewriter::TsqlRewriter(SqlDialect dialect, ColumnTypesSource columnTypes)
    : m_dialect(dialect), m_columnTypesSource(std::move(columnTypes))
{
}

const TsqlColumnTypes& TsqlRewriter::columnTypes()
{
    if (!m_columnTypes)
        m_columnTypes = m_columnTypesSource ? m_columnTypesSource() : TsqlColumnTypes();
    return *m_columnTypes;
}

RewrittenStatement TsqlRewriter::rewrite(const QString& tsql)
{
    QList<TsqlToken> tokens = tokenizeTsql(tsql);
    const QList<TsqlToken> significant = significantTokens(tokens);
    if (significant.isEmpty())
        return RewrittenStatement{RewrittenStatement::Kind::Sql, tsql, {}};

    if (std::optional<TsqlExecCall> exec = parseTsqlExec(significant)) {
        if (m_dialect == SqlDialect::Postgres)
            return RewrittenStatement{RewrittenStatement::Kind::Sql, postgresCallStatement(*exec), {}};
        return RewrittenStatement{RewrittenStatement::Kind::Procedure, {}, std::move(exec->call)};
    }

    if (significant.size() == 3 && significant.at(0).isWord(u"SET") &&
        significant.at(1).isWord(u"DATEFORMAT")) {
        if (const std::optional<DateOrder> order = dateOrderNamed(significant.at(2))) {
            m_dateOrder = *order;
            if (m_dialect == SqlDialect::Postgres)
                return RewrittenStatement{RewrittenStatement::Kind::Sql, postgresDateStyle(*order), {}};
            return RewrittenStatement{RewrittenStatement::Kind::Nothing, {}, {}};
        }
    }

    if (const std::optional<QString> command = transactionCommand(significant))
        return RewrittenStatement{RewrittenStatement::Kind::Sql, *command, {}};

    if (m_dialect == SqlDialect::Sqlite && hasEmptyInList(significant))
        throw DatabaseError(QStringLiteral("Incorrect syntax near ')'."));

    static const TsqlColumnTypes noColumnTypes;
    const TsqlColumnTypes& types = hasStringLiteral(significant) ? columnTypes() : noColumnTypes;
    return RewrittenStatement{RewrittenStatement::Kind::Sql,
                              rewriteTsqlQuery(std::move(tokens), m_dialect, m_dateOrder, types),
                              {}};
}

} // namespace zeb
