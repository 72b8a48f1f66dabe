#pragma once

#include "data/tsql/TsqlTokenizer.h"

#include <QList>
#include <QString>
#include <initializer_list>

namespace zeb {

// A tokenized statement being rewritten: every token keeps its original text until a pass replaces it,
// removes it or appends text after it. Positions always refer to the original tokens, so the passes do
// not disturb each other's bookkeeping.
class TsqlTokenEdit
{
public:
    explicit TsqlTokenEdit(QList<TsqlToken> tokens);

    qsizetype size() const { return m_tokens.size(); }
    const TsqlToken& token(qsizetype i) const { return m_tokens.at(i); }
    // Depth of parentheses; '(' and ')' carry the depth outside them.
    int level(qsizetype i) const { return m_levels.at(i); }

    // The next significant token after i, or size() when there is none.
    qsizetype nextSignificant(qsizetype i) const;
    // The last significant token before i, or -1 when there is none.
    qsizetype previousSignificant(qsizetype i) const;
    // Whether token i is a plain identifier equal to one of `words`, ignoring letter case.
    bool isOneOf(qsizetype i, std::initializer_list<QStringView> words) const;

    void replace(qsizetype i, const QString& text) { m_output[i] = text; }
    void remove(qsizetype i) { m_output[i].clear(); }
    void appendAfter(qsizetype i, const QString& text) { m_appended[i].append(text); }

    // Tokens [from, to) as rewritten so far; comments become single blanks when the text is to be
    // copied into another place, where a line comment could swallow what follows.
    QString render(qsizetype from, qsizetype to, bool blankComments = false) const;
    QString render() const { return render(0, size()); }

private:
    QList<TsqlToken> m_tokens;
    QList<int> m_levels;
    QList<QString> m_output;
    QList<QString> m_appended;
};

} // namespace zeb
