#include "data/tsql/TsqlTokenizer.h"

namespace zeb {

namespace {

bool isNameStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'#';
}

bool isNamePart(QChar c)
{
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$' || c == u'@';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

class Scanner
{
public:
    explicit Scanner(const QString& text) : m_text(text) {}

    QList<TsqlToken> run()
    {
        while (m_pos < m_text.size())
            m_tokens.append(next());
        return m_tokens;
    }

private:
    QChar at(qsizetype pos) const { return pos < m_text.size() ? m_text.at(pos) : QChar(); }

    TsqlToken make(TsqlToken::Type type, qsizetype start)
    {
        TsqlToken token;
        token.type = type;
        token.text = m_text.mid(start, m_pos - start);
        return token;
    }

    TsqlToken next()
    {
        const qsizetype start = m_pos;
        const QChar c = at(m_pos);
        if (c.isSpace()) {
            while (m_pos < m_text.size() && at(m_pos).isSpace())
                ++m_pos;
            return make(TsqlToken::Type::Whitespace, start);
        }
        if (c == u'-' && at(m_pos + 1) == u'-') {
            while (m_pos < m_text.size() && at(m_pos) != u'\n' && at(m_pos) != u'\r')
                ++m_pos;
            return make(TsqlToken::Type::Comment, start);
        }
        if (c == u'/' && at(m_pos + 1) == u'*')
            return blockComment(start);
        if ((c == u'N' || c == u'n') && at(m_pos + 1) == u'\'') {
            ++m_pos;
            TsqlToken token = quoted(start, u'\'', TsqlToken::Type::String);
            token.national = true;
            return token;
        }
        if (c == u'\'')
            return quoted(start, u'\'', TsqlToken::Type::String);
        if (c == u'"')
            return quoted(start, u'"', TsqlToken::Type::QuotedIdentifier);
        if (c == u'[')
            return quoted(start, u']', TsqlToken::Type::QuotedIdentifier);
        if (isAsciiDigit(c) || (c == u'.' && isAsciiDigit(at(m_pos + 1))))
            return number(start);
        if (c == u'@') {
            ++m_pos;
            while (m_pos < m_text.size() && isNamePart(at(m_pos)))
                ++m_pos;
            return make(TsqlToken::Type::Variable, start);
        }
        if (isNameStart(c)) {
            while (m_pos < m_text.size() && isNamePart(at(m_pos)))
                ++m_pos;
            TsqlToken token = make(TsqlToken::Type::Identifier, start);
            token.value = token.text;
            return token;
        }
        return symbol(start);
    }

    TsqlToken blockComment(qsizetype start)
    {
        m_pos += 2;
        int depth = 1;
        while (m_pos < m_text.size() && depth > 0) {
            if (at(m_pos) == u'/' && at(m_pos + 1) == u'*') {
                ++depth;
                m_pos += 2;
            } else if (at(m_pos) == u'*' && at(m_pos + 1) == u'/') {
                --depth;
                m_pos += 2;
            } else {
                ++m_pos;
            }
        }
        return make(depth == 0 ? TsqlToken::Type::Comment : TsqlToken::Type::Unterminated, start);
    }

    // 'text', "name" or [name]: the closing character written twice stands for itself.
    TsqlToken quoted(qsizetype start, QChar close, TsqlToken::Type type)
    {
        ++m_pos;
        QString value;
        while (m_pos < m_text.size()) {
            const QChar c = at(m_pos);
            if (c == close) {
                if (at(m_pos + 1) != close) {
                    ++m_pos;
                    TsqlToken token = make(type, start);
                    token.value = value;
                    return token;
                }
                ++m_pos;
            }
            value.append(c);
            ++m_pos;
        }
        return make(TsqlToken::Type::Unterminated, start);
    }

    TsqlToken number(qsizetype start)
    {
        if (at(m_pos) == u'0' && (at(m_pos + 1) == u'x' || at(m_pos + 1) == u'X')) {
            m_pos += 2;
            while (m_pos < m_text.size() && at(m_pos).isLetterOrNumber())
                ++m_pos;
            return make(TsqlToken::Type::Number, start);
        }
        while (isAsciiDigit(at(m_pos)))
            ++m_pos;
        if (at(m_pos) == u'.') {
            ++m_pos;
            while (isAsciiDigit(at(m_pos)))
                ++m_pos;
        }
        const QChar e = at(m_pos);
        if (e == u'e' || e == u'E') {
            qsizetype digits = m_pos + 1;
            if (at(digits) == u'+' || at(digits) == u'-')
                ++digits;
            if (isAsciiDigit(at(digits))) {
                m_pos = digits;
                while (isAsciiDigit(at(m_pos)))
                    ++m_pos;
            }
        }
        TsqlToken token = make(TsqlToken::Type::Number, start);
        token.value = token.text;
        return token;
    }

    TsqlToken symbol(qsizetype start)
    {
        static const QStringView twoCharacterOperators[] = {u"<>", u"<=", u">=", u"!=", u"!<", u"!>"};
        const QStringView rest = QStringView(m_text).mid(m_pos, 2);
        for (QStringView op : twoCharacterOperators) {
            if (rest == op) {
                m_pos += 2;
                return make(TsqlToken::Type::Symbol, start);
            }
        }
        // Keep a surrogate pair together so that an emoji stays one token.
        m_pos += at(m_pos).isHighSurrogate() && at(m_pos + 1).isLowSurrogate() ? 2 : 1;
        return make(TsqlToken::Type::Symbol, start);
    }

    const QString& m_text;
    qsizetype m_pos = 0;
    QList<TsqlToken> m_tokens;
};

} // namespace

bool TsqlToken::isWord(QStringView word) const
{
    return type == Type::Identifier && value.compare(word, Qt::CaseInsensitive) == 0;
}

bool TsqlToken::isName(QStringView name) const
{
    return isNameToken() && value.compare(name, Qt::CaseInsensitive) == 0;
}

QList<TsqlToken> tokenizeTsql(const QString& statement)
{
    return Scanner(statement).run();
}

} // namespace zeb
