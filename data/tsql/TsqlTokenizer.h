#pragma once

#include <QList>
#include <QString>

namespace zeb {

// One lexical unit of a T-SQL statement. Joining the `text` of all tokens gives the statement back
// character for character.
struct TsqlToken
{
    enum class Type
    {
        Whitespace,
        Comment,          // -- to the end of the line, or /* ... */ (nesting)
        Identifier,       // plain name or keyword: Vakansii, SELECT, Отдел
        QuotedIdentifier, // [name] or "name"
        String,           // 'text' or N'text'
        Number,           // 12, 1.5, .5, 2e3, 0x1F
        Variable,         // @name, @@name
        Symbol,           // operators and punctuation: ( ) , . ; * = <> ...
        Unterminated,     // a literal, bracket or comment left open at the end of the text
    };

    Type type = Type::Symbol;
    QString text;          // exactly as written
    QString value;         // String: the content with doubled quotes undone; identifiers: the bare name
    bool national = false; // String written as N'...'

    bool isSignificant() const { return type != Type::Whitespace && type != Type::Comment; }
    // A plain identifier equal to `word`, ignoring letter case (keywords are plain identifiers here).
    bool isWord(QStringView word) const;
    // An identifier of either kind whose bare name equals `name`, ignoring letter case.
    bool isName(QStringView name) const;
    bool isNameToken() const { return type == Type::Identifier || type == Type::QuotedIdentifier; }
    bool isSymbol(QStringView symbol) const { return type == Type::Symbol && text == symbol; }
};

QList<TsqlToken> tokenizeTsql(const QString& statement);

} // namespace zeb
