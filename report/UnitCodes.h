#pragma once

#include <QString>
#include <map>
#include <utility>

namespace zeb {

class Connection;

// The institution's own codes of its units, where it set them.
class UnitCodes
{
public:
    // The tables a unit's key belongs to.
    enum class Kind
    {
        Division,
        Faculty,
        Department,
    };

    static UnitCodes load(Connection& connection);

    void set(Kind kind, qint64 key, const QString& code);
    // Empty when the institution set none.
    QString codeOf(Kind kind, qint64 key) const;

private:
    std::map<std::pair<Kind, qint64>, QString> m_codes;
};

} // namespace zeb
