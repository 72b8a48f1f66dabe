#include "data/tsql/TsqlTokenEdit.h"

namespace zeb {

TsqlTokenEdit::TsqlTokenEdit(QList<TsqlToken> tokens) : m_tokens(std::move(tokens))
{
    m_levels.reserve(m_tokens.size());
    m_output.reserve(m_tokens.size());
    int depth = 0;
    for (const TsqlToken& token : std::as_const(m_tokens)) {
        if (token.isSymbol(u")"))
            --depth;
        m_levels.append(depth);
        if (token.isSymbol(u"("))
            ++depth;
        m_output.append(token.text);
    }
    m_appended.resize(m_tokens.size());
}

qsizetype TsqlTokenEdit::nextSignificant(qsizetype i) const
{
    for (++i; i < size(); ++i) {
        if (m_tokens.at(i).isSignificant())
            return i;
    }
    return size();
}

qsizetype TsqlTokenEdit::previousSignificant(qsizetype i) const
{
    for (--i; i >= 0; --i) {
        if (m_tokens.at(i).isSignificant())
            return i;
    }
    return -1;
}

bool TsqlTokenEdit::isOneOf(qsizetype i, std::initializer_list<QStringView> words) const
{
    if (i < 0 || i >= size())
        return false;
    for (QStringView word : words) {
        if (m_tokens.at(i).isWord(word))
            return true;
    }
    return false;
}

QString TsqlTokenEdit::render(qsizetype from, qsizetype to, bool blankComments) const
{
    QString text;
    for (qsizetype i = from; i < to; ++i) {
        if (blankComments && m_tokens.at(i).type == TsqlToken::Type::Comment)
            text.append(u' ');
        else
            text.append(m_output.at(i));
        text.append(m_appended.at(i));
    }
    return text;
}

} // namespace zeb
