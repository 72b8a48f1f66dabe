#include "data/tsql/TsqlLikePattern.h"

#include <QList>

namespace zeb {

namespace {

// Ranges wider than this stay ranges: only their ends get the other case.
constexpr char32_t RangeSpelledOut = 256;

struct Range
{
    char32_t low;
    char32_t high;
};

// One place of the pattern: any text (%), any one character (_) or one character of a set.
struct Element
{
    enum class Kind
    {
        AnyText,
        AnyCharacter,
        Set,
    };
    Kind kind = Kind::Set;
    bool negated = false;
    QList<char32_t> characters;
    QList<Range> ranges;

    bool isOneCharacter() const
    {
        return kind == Kind::Set && !negated && ranges.isEmpty() && characters.size() == 1;
    }
};

void addWithCase(QList<char32_t>& characters, char32_t c)
{
    for (char32_t variant :
         {c, QChar::toLower(c), QChar::toUpper(c), QChar::toTitleCase(c), QChar::toCaseFolded(c)}) {
        if (!characters.contains(variant))
            characters.append(variant);
    }
}

// The set with every letter in both cases; short ranges are spelled out character by character.
void addCases(Element& element)
{
    QList<char32_t> characters;
    for (char32_t c : std::as_const(element.characters))
        addWithCase(characters, c);
    QList<Range> ranges;
    for (const Range& range : std::as_const(element.ranges)) {
        if (range.high - range.low < RangeSpelledOut) {
            for (char32_t c = range.low; c <= range.high; ++c)
                addWithCase(characters, c);
            continue;
        }
        ranges.append(range);
        const Range lower{QChar::toLower(range.low), QChar::toLower(range.high)};
        const Range upper{QChar::toUpper(range.low), QChar::toUpper(range.high)};
        for (const Range& other : {lower, upper}) {
            if (other.low <= other.high && (other.low != range.low || other.high != range.high))
                ranges.append(other);
        }
    }
    element.characters = characters;
    element.ranges = ranges;
}

// Reads a bracket from just after its '['; returns false for an open or empty bracket or a reversed range.
bool readBracket(const QList<char32_t>& text, qsizetype& pos, Element& element)
{
    if (pos < text.size() && text.at(pos) == U'^') {
        element.negated = true;
        ++pos;
    }
    const qsizetype start = pos;
    while (pos < text.size() && text.at(pos) != U']') {
        const char32_t c = text.at(pos);
        if (pos + 1 < text.size() && text.at(pos + 1) == U'-' && pos + 2 < text.size() &&
            text.at(pos + 2) != U']') {
            if (text.at(pos + 2) < c)
                return false;
            element.ranges.append({c, text.at(pos + 2)});
            pos += 3;
            continue;
        }
        element.characters.append(c);
        ++pos;
    }
    if (pos == text.size() || pos == start)
        return false;
    ++pos;
    return true;
}

std::optional<QList<Element>> parse(QStringView pattern, std::optional<char32_t> escape)
{
    QList<char32_t> text;
    for (uint c : pattern.toUcs4())
        text.append(char32_t(c));
    QList<Element> elements;
    for (qsizetype pos = 0; pos < text.size();) {
        const char32_t c = text.at(pos++);
        Element element;
        if (escape && c == *escape) {
            if (pos == text.size())
                return std::nullopt;
            element.characters.append(text.at(pos++));
        } else if (c == U'%') {
            element.kind = Element::Kind::AnyText;
        } else if (c == U'_') {
            element.kind = Element::Kind::AnyCharacter;
        } else if (c == U'[') {
            if (!readBracket(text, pos, element))
                return std::nullopt;
        } else {
            element.characters.append(c);
        }
        if (element.kind == Element::Kind::Set)
            addCases(element);
        elements.append(element);
    }
    return elements;
}

QString text(char32_t c)
{
    return QString::fromUcs4(&c, 1);
}

// In a GLOB set ']' is plain only first and '-' only first or last, and '^' only when not first; a range
// whose end is one of them is spelled out when short, otherwise left to the caller's fallback.
std::optional<QString> globSet(const Element& element)
{
    QString set = element.negated ? QStringLiteral("[^") : QStringLiteral("[");
    const auto has = [&](char32_t c) { return element.characters.contains(c); };
    if (has(U']'))
        set += u']';
    if (has(U'-'))
        set += u'-';
    for (const Range& range : element.ranges) {
        for (char32_t end : {range.low, range.high}) {
            if (end == U']' || end == U'-' || end == U'^')
                return std::nullopt;
        }
        set += text(range.low) + u'-' + text(range.high);
    }
    for (char32_t c : element.characters) {
        if (c != U']' && c != U'-' && c != U'^')
            set += text(c);
    }
    if (has(U'^'))
        set += u'^';
    return set + u']';
}

// Every ASCII character that is not a letter or a digit goes behind a backslash, which makes it plain
// inside and outside a bracket; other characters are plain as they are.
QString regexCharacter(char32_t c)
{
    const bool asciiPlain = (c >= U'a' && c <= U'z') || (c >= U'A' && c <= U'Z') || (c >= U'0' && c <= U'9');
    if (c < 0x80 && !asciiPlain)
        return u'\\' + text(c);
    return text(c);
}

QString regexSet(const Element& element)
{
    QString set = element.negated ? QStringLiteral("[^") : QStringLiteral("[");
    for (const Range& range : element.ranges)
        set += regexCharacter(range.low) + u'-' + regexCharacter(range.high);
    for (char32_t c : element.characters)
        set += regexCharacter(c);
    return set + u']';
}

} // namespace

std::optional<QString> likeAsGlob(QStringView pattern, std::optional<char32_t> escape)
{
    const std::optional<QList<Element>> elements = parse(pattern, escape);
    if (!elements)
        return std::nullopt;
    QString glob;
    for (const Element& element : *elements) {
        if (element.kind == Element::Kind::AnyText) {
            glob += u'*';
        } else if (element.kind == Element::Kind::AnyCharacter) {
            glob += u'?';
        } else if (element.isOneCharacter()) {
            const char32_t c = element.characters.first();
            glob += c == U'*' || c == U'?' || c == U'[' ? u'[' + text(c) + u']' : text(c);
        } else if (const std::optional<QString> set = globSet(element)) {
            glob += *set;
        } else {
            return std::nullopt;
        }
    }
    return glob;
}

std::optional<QString> likeAsRegex(QStringView pattern, std::optional<char32_t> escape)
{
    const std::optional<QList<Element>> elements = parse(pattern, escape);
    if (!elements)
        return std::nullopt;
    QString regex = QStringLiteral("^");
    for (const Element& element : *elements) {
        if (element.kind == Element::Kind::AnyText)
            regex += QStringLiteral(".*");
        else if (element.kind == Element::Kind::AnyCharacter)
            regex += u'.';
        else if (element.isOneCharacter())
            regex += regexCharacter(element.characters.first());
        else
            regex += regexSet(element);
    }
    return regex + u'$';
}

} // namespace zeb
