#include "data/tsql/TsqlTopClause.h"

#include <optional>

namespace zeb {

namespace {

bool isUnsignedInteger(const TsqlToken& token)
{
    if (token.type != TsqlToken::Type::Number || token.text.isEmpty())
        return false;
    for (QChar c : token.text) {
        if (c < u'0' || c > u'9')
            return false;
    }
    return true;
}

struct TopClause
{
    qsizetype top = -1;  // the TOP keyword
    qsizetype last = -1; // the last token of the clause: ')', the count or PERCENT
    QString count;
    bool percent = false;
    bool distinct = false;
};

// The clause starting at TOP token `i`, when it is one this pass can rewrite.
std::optional<TopClause> readTopClause(const TsqlTokenEdit& edit, qsizetype i)
{
    TopClause clause;
    clause.top = i;
    const qsizetype before = edit.previousSignificant(i);
    clause.distinct = edit.isOneOf(before, {u"DISTINCT"});
    const bool afterSelect =
        edit.isOneOf(before, {u"SELECT"}) || (edit.isOneOf(before, {u"DISTINCT", u"ALL"}) &&
                                              edit.isOneOf(edit.previousSignificant(before), {u"SELECT"}));
    if (!afterSelect)
        return std::nullopt;

    qsizetype pos = edit.nextSignificant(i);
    if (pos < edit.size() && edit.token(pos).isSymbol(u"(")) {
        const qsizetype number = edit.nextSignificant(pos);
        const qsizetype close = edit.nextSignificant(number);
        if (close >= edit.size() || !isUnsignedInteger(edit.token(number)) ||
            !edit.token(close).isSymbol(u")"))
            return std::nullopt;
        clause.count = edit.token(number).text;
        clause.last = close;
    } else if (pos < edit.size() && isUnsignedInteger(edit.token(pos))) {
        clause.count = edit.token(pos).text;
        clause.last = pos;
    } else {
        return std::nullopt;
    }
    const qsizetype percent = edit.nextSignificant(clause.last);
    if (edit.isOneOf(percent, {u"PERCENT"})) {
        clause.percent = true;
        clause.last = percent;
    }
    if (edit.isOneOf(edit.nextSignificant(clause.last), {u"WITH"}))
        return std::nullopt;
    if (clause.percent && (clause.distinct || clause.count.toInt() > 100))
        return std::nullopt;
    return clause;
}

// Where the query of a TOP clause lies at its own depth of parentheses.
struct QueryShape
{
    qsizetype from = -1;    // FROM
    qsizetype orderBy = -1; // ORDER of ORDER BY
    qsizetype last = -1;    // the query's last significant token
    bool grouped = false;
    bool setOperation = false;
};

QueryShape readQueryShape(const TsqlTokenEdit& edit, const TopClause& clause)
{
    QueryShape shape;
    const int level = edit.level(clause.top);
    qsizetype pos = clause.last + 1;
    for (; pos < edit.size(); ++pos) {
        const TsqlToken& token = edit.token(pos);
        if (!token.isSignificant() || edit.level(pos) > level)
            continue;
        if (edit.level(pos) < level || token.isSymbol(u";"))
            break;
        if (edit.isOneOf(pos, {u"UNION", u"EXCEPT", u"INTERSECT"}))
            shape.setOperation = true;
        else if (shape.from < 0 && token.isWord(u"FROM"))
            shape.from = pos;
        else if (token.isWord(u"GROUP"))
            shape.grouped = true;
        else if (shape.orderBy < 0 && token.isWord(u"ORDER") &&
                 edit.isOneOf(edit.nextSignificant(pos), {u"BY"}))
            shape.orderBy = pos;
    }
    shape.last = edit.previousSignificant(pos);
    return shape;
}

// The ceiling of `percent` percent of the rows the query's FROM ... WHERE [GROUP BY ...] part yields.
QString percentLimit(const TsqlTokenEdit& edit, const QueryShape& shape, const QString& percent)
{
    const QString count = QStringLiteral("(SELECT (count(*) * %1 + 99) / 100").arg(percent);
    if (shape.from < 0)
        return count + u')';
    const qsizetype end = shape.orderBy >= 0 ? shape.orderBy : shape.last + 1;
    const QString rows = edit.render(shape.from, end, true).trimmed();
    if (shape.grouped)
        return count + QStringLiteral(" FROM (SELECT 1 ") + rows + QStringLiteral(") AS zeb_rows)");
    return count + u' ' + rows + u')';
}

void rewriteTopClause(TsqlTokenEdit& edit, const TopClause& clause)
{
    const QueryShape shape = readQueryShape(edit, clause);
    if (shape.setOperation || shape.last <= clause.last)
        return;
    const QString limit = clause.percent ? percentLimit(edit, shape, clause.count) : clause.count;

    for (qsizetype i = clause.top; i <= clause.last; ++i)
        edit.remove(i);
    const qsizetype after = clause.last + 1;
    const bool blankBefore = clause.top > 0 && edit.token(clause.top - 1).type == TsqlToken::Type::Whitespace;
    if (blankBefore && after < edit.size() && edit.token(after).type == TsqlToken::Type::Whitespace)
        edit.remove(after);
    edit.appendAfter(shape.last, QStringLiteral(" LIMIT ") + limit);
}

} // namespace

void rewriteTopClauses(TsqlTokenEdit& edit)
{
    // Inner queries first: an outer PERCENT copies its FROM part with their limits already in place.
    for (qsizetype i = edit.size() - 1; i >= 0; --i) {
        if (!edit.token(i).isWord(u"TOP"))
            continue;
        if (const std::optional<TopClause> clause = readTopClause(edit, i))
            rewriteTopClause(edit, *clause);
    }
}

} // namespace zeb
