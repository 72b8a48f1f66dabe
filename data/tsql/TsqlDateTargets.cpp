#include "data/tsql/TsqlDateTargets.h"

#include "data/tsql/TsqlStatementTables.h"

namespace zeb {

namespace {

bool isSymbolOf(const TsqlToken& token, std::initializer_list<QStringView> symbols)
{
    if (token.type != TsqlToken::Type::Symbol)
        return false;
    for (QStringView symbol : symbols) {
        if (token.text == symbol)
            return true;
    }
    return false;
}

bool isComparison(const TsqlToken& token)
{
    return isSymbolOf(token, {u"=", u"<>", u"!=", u"<", u">", u"<=", u">=", u"!<", u"!>"});
}

// An operator that would make its neighbour only a part of an operand.
bool isOperator(const TsqlToken& token)
{
    return isSymbolOf(token, {u"+", u"-", u"*", u"/", u"%", u"&", u"|", u"^", u"~", u"."});
}

bool isDate(FieldType type)
{
    return type == FieldType::Date || type == FieldType::DateTime;
}

// A column name, plain or qualified (t.col, dbo.t.col), over tokens [first, last].
struct ColumnName
{
    qsizetype first = -1;
    qsizetype last = -1;
    bool isValid() const { return first >= 0; }
};

class TargetFinder
{
public:
    TargetFinder(const TsqlTokenEdit& edit, const TsqlColumnTypes& types)
        : m_edit(edit), m_types(types), m_tables(edit, types)
    {
    }

    QHash<qsizetype, FieldType> find()
    {
        for (qsizetype i = 0; i < m_edit.size(); ++i) {
            const TsqlToken& token = m_edit.token(i);
            if (token.type == TsqlToken::Type::String)
                comparison(i);
            else if (token.isWord(u"BETWEEN"))
                between(i);
            else if (token.isWord(u"IN"))
                inList(i);
            else if (token.isWord(u"INSERT"))
                insertValues(i);
        }
        return m_targets;
    }

private:
    bool isSignificantAt(qsizetype i) const { return i >= 0 && i < m_edit.size(); }

    // The literal at i stands alone when no operator binds it to a neighbour.
    bool literalAt(qsizetype i) const
    {
        if (!isSignificantAt(i) || m_edit.token(i).type != TsqlToken::Type::String)
            return false;
        const qsizetype before = m_edit.previousSignificant(i);
        const qsizetype after = m_edit.nextSignificant(i);
        return !(isSignificantAt(before) && isOperator(m_edit.token(before))) &&
               !(isSignificantAt(after) && isOperator(m_edit.token(after)));
    }

    ColumnName columnEndingAt(qsizetype last) const
    {
        if (!isSignificantAt(last) || !m_edit.token(last).isNameToken())
            return {};
        qsizetype first = last;
        while (first >= 2 && m_edit.token(first - 1).isSymbol(u".") && m_edit.token(first - 2).isNameToken())
            first -= 2;
        return {first, last};
    }

    ColumnName columnStartingAt(qsizetype first) const
    {
        if (!isSignificantAt(first) || !m_edit.token(first).isNameToken())
            return {};
        qsizetype last = first;
        while (last + 2 < m_edit.size() && m_edit.token(last + 1).isSymbol(u".") &&
               m_edit.token(last + 2).isNameToken())
            last += 2;
        return {first, last};
    }

    // The date type of a column name that is a whole operand: no operator before it, no call after it.
    std::optional<FieldType> dateColumn(ColumnName name) const
    {
        if (!name.isValid())
            return std::nullopt;
        const qsizetype before = m_edit.previousSignificant(name.first);
        const qsizetype after = m_edit.nextSignificant(name.last);
        if ((isSignificantAt(before) && isOperator(m_edit.token(before))) ||
            (isSignificantAt(after) &&
             (isOperator(m_edit.token(after)) || m_edit.token(after).isSymbol(u"("))))
            return std::nullopt;
        const QString qualifier = name.last > name.first ? m_edit.token(name.last - 2).value : QString();
        const std::optional<FieldType> type =
            m_tables.columnType(qualifier, m_edit.token(name.last).value, name.last);
        if (!type || !isDate(*type))
            return std::nullopt;
        return type;
    }

    void mark(qsizetype literal, std::optional<FieldType> type)
    {
        if (type && literalAt(literal))
            m_targets.insert(literal, *type);
    }

    // column <op> 'literal' or 'literal' <op> column.
    void comparison(qsizetype literal)
    {
        const qsizetype before = m_edit.previousSignificant(literal);
        if (isSignificantAt(before) && isComparison(m_edit.token(before))) {
            mark(literal, dateColumn(columnEndingAt(m_edit.previousSignificant(before))));
            return;
        }
        const qsizetype after = m_edit.nextSignificant(literal);
        if (isSignificantAt(after) && isComparison(m_edit.token(after)))
            mark(literal, dateColumn(columnStartingAt(m_edit.nextSignificant(after))));
    }

    // The column in front of `keyword`, past a NOT.
    std::optional<FieldType> columnBefore(qsizetype keyword) const
    {
        qsizetype last = m_edit.previousSignificant(keyword);
        if (m_edit.isOneOf(last, {u"NOT"}))
            last = m_edit.previousSignificant(last);
        return dateColumn(columnEndingAt(last));
    }

    // column [NOT] BETWEEN 'low' AND 'high'.
    void between(qsizetype keyword)
    {
        const std::optional<FieldType> type = columnBefore(keyword);
        const qsizetype low = m_edit.nextSignificant(keyword);
        const qsizetype conjunction = m_edit.nextSignificant(low);
        if (!type || !m_edit.isOneOf(conjunction, {u"AND"}))
            return;
        mark(low, type);
        mark(m_edit.nextSignificant(conjunction), type);
    }

    // The single-token items of the list in parentheses opening at `open`; empty for a subquery.
    QList<qsizetype> listItems(qsizetype open) const
    {
        QList<qsizetype> items;
        if (!isSignificantAt(open) || !m_edit.token(open).isSymbol(u"("))
            return items;
        const int level = m_edit.level(open);
        qsizetype item = -1;
        int tokens = 0;
        for (qsizetype i = m_edit.nextSignificant(open); i < m_edit.size(); i = m_edit.nextSignificant(i)) {
            const TsqlToken& token = m_edit.token(i);
            const bool closing = m_edit.level(i) == level;
            if (closing || (m_edit.level(i) == level + 1 && token.isSymbol(u","))) {
                items.append(tokens == 1 ? item : -1);
                if (closing)
                    break;
                tokens = 0;
                continue;
            }
            if (tokens == 0 && token.isWord(u"SELECT"))
                return {};
            item = i;
            ++tokens;
        }
        return items;
    }

    // column [NOT] IN ('a', 'b', ...).
    void inList(qsizetype keyword)
    {
        const std::optional<FieldType> type = columnBefore(keyword);
        if (!type)
            return;
        for (qsizetype item : listItems(m_edit.nextSignificant(keyword)))
            mark(item, type);
    }

    // INSERT [INTO] table (columns) VALUES (...), (...): each literal takes the type of its column.
    void insertValues(qsizetype keyword)
    {
        qsizetype first = m_edit.nextSignificant(keyword);
        if (m_edit.isOneOf(first, {u"INTO"}))
            first = m_edit.nextSignificant(first);
        const ColumnName table = columnStartingAt(first);
        if (!table.isValid())
            return;
        const qsizetype open = m_edit.nextSignificant(table.last);
        const QList<qsizetype> columns = listItems(open);
        QList<std::optional<FieldType>> types;
        for (qsizetype column : columns) {
            if (column < 0 || !m_edit.token(column).isNameToken())
                return;
            const std::optional<FieldType> type =
                m_types.type(m_edit.token(table.last).value, m_edit.token(column).value);
            types.append(type && isDate(*type) ? type : std::nullopt);
        }
        const qsizetype values = m_edit.nextSignificant(closingOf(open));
        if (!m_edit.isOneOf(values, {u"VALUES"}))
            return;
        for (qsizetype row = m_edit.nextSignificant(values);;) {
            const QList<qsizetype> items = listItems(row);
            for (qsizetype i = 0; i < items.size() && i < types.size(); ++i)
                mark(items.at(i), types.at(i));
            const qsizetype after = m_edit.nextSignificant(closingOf(row));
            if (!isSignificantAt(after) || !m_edit.token(after).isSymbol(u","))
                return;
            row = m_edit.nextSignificant(after);
        }
    }

    // The ')' that closes the '(' at `open`; the end of the statement when it is missing.
    qsizetype closingOf(qsizetype open) const
    {
        if (!isSignificantAt(open) || !m_edit.token(open).isSymbol(u"("))
            return m_edit.size();
        for (qsizetype i = open + 1; i < m_edit.size(); ++i) {
            if (m_edit.level(i) == m_edit.level(open) && m_edit.token(i).isSymbol(u")"))
                return i;
        }
        return m_edit.size();
    }

    const TsqlTokenEdit& m_edit;
    const TsqlColumnTypes& m_types;
    TsqlStatementTables m_tables;
    QHash<qsizetype, FieldType> m_targets;
};

} // namespace

QHash<qsizetype, FieldType> dateLiteralTargets(const TsqlTokenEdit& edit, const TsqlColumnTypes& types)
{
    return TargetFinder(edit, types).find();
}

} // namespace zeb
