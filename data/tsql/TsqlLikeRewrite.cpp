#include "data/tsql/TsqlLikeRewrite.h"

#include "data/tsql/TsqlLikePattern.h"
#include "data/tsql/TsqlQuoting.h"

namespace zeb {

namespace {

bool isBinaryOperator(const TsqlToken& token)
{
    if (token.type != TsqlToken::Type::Symbol)
        return false;
    for (QStringView symbol : {u"+", u"-", u"*", u"/", u"%", u"&", u"|", u"^"}) {
        if (token.text == symbol)
            return true;
    }
    return false;
}

// The token that closes the bracket or CASE opening at `open`; -1 when it is missing.
qsizetype closingOf(const TsqlTokenEdit& edit, qsizetype open)
{
    const bool caseExpression = edit.token(open).isWord(u"CASE");
    int depth = 0;
    for (qsizetype i = open; i < edit.size(); i = edit.nextSignificant(i)) {
        if (edit.level(i) != edit.level(open))
            continue;
        if (caseExpression ? edit.token(i).isWord(u"CASE") : edit.token(i).isSymbol(u"("))
            ++depth;
        else if (caseExpression ? edit.token(i).isWord(u"END") : edit.token(i).isSymbol(u")"))
            --depth;
        if (depth == 0)
            return i;
    }
    return -1;
}

// The last token of the expression starting at `first`: operands (literals, variables, names, calls,
// brackets, CASE) joined by arithmetic and string operators; -1 when none starts there.
qsizetype expressionEnd(const TsqlTokenEdit& edit, qsizetype first)
{
    qsizetype pos = first;
    while (pos < edit.size()) {
        const TsqlToken& token = edit.token(pos);
        qsizetype last = -1;
        if (token.isSymbol(u"-") || token.isSymbol(u"+") || token.isSymbol(u"~")) {
            pos = edit.nextSignificant(pos);
            continue;
        }
        if (token.isSymbol(u"(") || token.isWord(u"CASE")) {
            last = closingOf(edit, pos);
        } else if (token.isNameToken()) {
            last = pos;
            while (last + 2 < edit.size() && edit.token(last + 1).isSymbol(u".") &&
                   edit.token(last + 2).isNameToken())
                last += 2;
            const qsizetype call = edit.nextSignificant(last);
            if (call < edit.size() && edit.token(call).isSymbol(u"("))
                last = closingOf(edit, call);
        } else if (token.type == TsqlToken::Type::String || token.type == TsqlToken::Type::Number ||
                   token.type == TsqlToken::Type::Variable) {
            last = pos;
        }
        if (last < 0)
            return -1;
        const qsizetype next = edit.nextSignificant(last);
        if (next >= edit.size() || !isBinaryOperator(edit.token(next)))
            return last;
        pos = edit.nextSignificant(next);
    }
    return -1;
}

// The one character of an ESCAPE literal; nothing for anything else.
std::optional<char32_t> escapeCharacter(const TsqlToken& token)
{
    if (token.type != TsqlToken::Type::String)
        return std::nullopt;
    const QList<uint> characters = token.value.toUcs4();
    if (characters.size() != 1)
        return std::nullopt;
    return char32_t(characters.first());
}

void removeRange(TsqlTokenEdit& edit, qsizetype from, qsizetype to)
{
    for (qsizetype i = from; i <= to; ++i)
        edit.remove(i);
}

void rewriteOne(TsqlTokenEdit& edit, qsizetype like, SqlDialect dialect)
{
    const qsizetype pattern = edit.nextSignificant(like);
    const qsizetype patternEnd = pattern < edit.size() ? expressionEnd(edit, pattern) : -1;
    if (patternEnd < 0)
        return;
    const qsizetype escapeWord = edit.nextSignificant(patternEnd);
    const bool escapeGiven = edit.isOneOf(escapeWord, {u"ESCAPE"});
    const qsizetype escapeValue = escapeGiven ? edit.nextSignificant(escapeWord) : -1;
    const std::optional<char32_t> escape =
        escapeGiven && escapeValue < edit.size() ? escapeCharacter(edit.token(escapeValue)) : std::nullopt;

    std::optional<QString> translated;
    if (patternEnd == pattern && edit.token(pattern).type == TsqlToken::Type::String &&
        (!escapeGiven || escape)) {
        const QString& text = edit.token(pattern).value;
        translated = dialect == SqlDialect::Sqlite ? likeAsGlob(text, escape) : likeAsRegex(text, escape);
    }
    if (!translated) {
        if (dialect == SqlDialect::Postgres) {
            edit.replace(like, QStringLiteral("ILIKE"));
            if (!escapeGiven)
                edit.appendAfter(patternEnd, QStringLiteral(" ESCAPE ''"));
        }
        return;
    }

    edit.replace(pattern, stringLiteral(*translated, dialect));
    if (escapeGiven)
        removeRange(edit, patternEnd + 1, escapeValue);
    const qsizetype negation = edit.previousSignificant(like);
    if (dialect == SqlDialect::Sqlite) {
        edit.replace(like, QStringLiteral("GLOB"));
    } else if (edit.isOneOf(negation, {u"NOT"})) {
        edit.replace(negation, QStringLiteral("!~"));
        removeRange(edit, negation + 1, like);
    } else {
        edit.replace(like, QStringLiteral("~"));
    }
}

} // namespace

void rewriteLike(TsqlTokenEdit& edit, SqlDialect dialect)
{
    for (qsizetype i = 0; i < edit.size(); ++i) {
        if (edit.token(i).isWord(u"LIKE"))
            rewriteOne(edit, i, dialect);
    }
}

} // namespace zeb
