#include "data/tsql/TsqlQueryRewrite.h"

#include "data/tsql/TsqlDateLiteral.h"
#include "data/tsql/TsqlDateTargets.h"
#include "data/tsql/TsqlLikeRewrite.h"
#include "data/tsql/TsqlQuoting.h"
#include "data/tsql/TsqlTokenEdit.h"
#include "data/tsql/TsqlTopClause.h"

#include <optional>

namespace zeb {

namespace {

// The tokens of a dotted name starting at `start`: names separated by '.', the last one possibly '*'.
QList<qsizetype> dottedName(const TsqlTokenEdit& edit, qsizetype start)
{
    QList<qsizetype> parts{start};
    qsizetype pos = start;
    while (pos + 2 < edit.size() && edit.token(pos + 1).isSymbol(u".") &&
           (edit.token(pos + 2).isNameToken() || edit.token(pos + 2).isSymbol(u"*"))) {
        pos += 2;
        parts.append(pos);
    }
    return parts;
}

// [x] and "x" become the dialect's quoted names. The dbo schema stays on PostgreSQL, where it exists, and
// goes on SQLite, where it does not; a database in front of it (ZEB.dbo.X) goes on both.
void rewriteNames(TsqlTokenEdit& edit, SqlDialect dialect)
{
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (edit.token(i).type == TsqlToken::Type::QuotedIdentifier)
            edit.replace(i, quotedIdentifier(edit.token(i).value, dialect));
    }
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (!edit.token(i).isNameToken() || (i > 0 && edit.token(i - 1).isSymbol(u".")))
            continue;
        const QList<qsizetype> parts = dottedName(edit, i);
        qsizetype schema = -1;
        if (parts.size() >= 2 && edit.token(parts.at(0)).isName(u"dbo")) {
            schema = parts.at(0);
        } else if (parts.size() >= 3 && edit.token(parts.at(1)).isName(u"dbo")) {
            edit.remove(parts.at(0));
            edit.remove(parts.at(0) + 1);
            schema = parts.at(1);
        }
        if (schema < 0)
            continue;
        if (dialect == SqlDialect::Sqlite) {
            edit.remove(schema);
            edit.remove(schema + 1);
        } else {
            edit.replace(schema, QStringLiteral("dbo"));
        }
        i = parts.last();
    }
}

// N'..' loses its prefix (both engines store Unicode text anyway). A date written in the session's order
// becomes ISO text where it stands for a date column's value, so that neither SQLite (no date type, it
// compares text) nor PostgreSQL (its own DateStyle and two-digit years) reads it otherwise; every other
// text stays as typed.
void rewriteStringLiterals(TsqlTokenEdit& edit, SqlDialect dialect, DateOrder dateOrder,
                           const TsqlColumnTypes& columnTypes)
{
    const QHash<qsizetype, FieldType> dateTargets = dateLiteralTargets(edit, columnTypes);
    for (qsizetype i = 0; i < edit.size(); ++i) {
        const TsqlToken& token = edit.token(i);
        if (token.type != TsqlToken::Type::String)
            continue;
        std::optional<QString> isoDate;
        if (const auto target = dateTargets.constFind(i); target != dateTargets.constEnd())
            isoDate = isoDateFromLiteral(token.value, dateOrder, *target);
        edit.replace(i, stringLiteral(isoDate.value_or(token.value), dialect));
    }
}

// SQL Server sorts NULL as the smallest value; PostgreSQL as the largest. Each ORDER BY item gets the
// order SQL Server would use, unless it names one itself.
void addSqlServerNullOrder(TsqlTokenEdit& edit)
{
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (!edit.token(i).isWord(u"ORDER") || !edit.isOneOf(edit.nextSignificant(i), {u"BY"}))
            continue;
        const int level = edit.level(i);
        qsizetype itemLast = -1;
        bool namesNullOrder = false;
        const auto finishItem = [&] {
            if (itemLast >= 0 && !namesNullOrder) {
                const bool descending = edit.token(itemLast).isWord(u"DESC");
                edit.appendAfter(itemLast,
                                 descending ? QStringLiteral(" NULLS LAST") : QStringLiteral(" NULLS FIRST"));
            }
            itemLast = -1;
            namesNullOrder = false;
        };
        qsizetype pos = edit.nextSignificant(i) + 1;
        for (; pos < edit.size(); ++pos) {
            const TsqlToken& token = edit.token(pos);
            if (!token.isSignificant())
                continue;
            if (edit.level(pos) < level)
                break;
            if (edit.level(pos) == level) {
                if (token.isSymbol(u";") ||
                    edit.isOneOf(pos, {u"LIMIT", u"OFFSET", u"FETCH", u"FOR", u"OPTION", u"UNION", u"EXCEPT",
                                       u"INTERSECT", u"ROWS", u"RANGE", u"GROUPS"}))
                    break;
                if (token.isSymbol(u",")) {
                    finishItem();
                    continue;
                }
                if (token.isWord(u"NULLS"))
                    namesNullOrder = true;
            }
            itemLast = pos;
        }
        finishItem();
    }
}

// SQLite ends a block comment at the first "*/", so a nested one would leave code behind; it becomes a blank.
void flattenNestedComments(TsqlTokenEdit& edit)
{
    for (qsizetype i = 0; i < edit.size(); ++i) {
        const TsqlToken& token = edit.token(i);
        if (token.type == TsqlToken::Type::Comment && token.text.indexOf(u"/*", 2) >= 0)
            edit.replace(i, QStringLiteral(" "));
    }
}

} // namespace

QString rewriteTsqlQuery(QList<TsqlToken> tokens, SqlDialect dialect, DateOrder dateOrder,
                         const TsqlColumnTypes& columnTypes)
{
    TsqlTokenEdit edit(std::move(tokens));
    rewriteNames(edit, dialect);
    rewriteStringLiterals(edit, dialect, dateOrder, columnTypes);
    rewriteLike(edit, dialect);
    if (dialect == SqlDialect::Sqlite)
        flattenNestedComments(edit);
    else
        addSqlServerNullOrder(edit);
    rewriteTopClauses(edit);
    return edit.render();
}

} // namespace zeb
