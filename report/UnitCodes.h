#pragma once

#include <QString>
#include <map>
#include <optional>
#include <utility>

namespace zeb {

class Connection;
class Engine;

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
    // The same on an administrator's engine.
    static UnitCodes load(Engine& engine);

    void set(Kind kind, qint64 key, const QString& code);
    // Empty when the institution set none.
    QString codeOf(Kind kind, qint64 key) const;
    const std::map<std::pair<Kind, qint64>, QString>& all() const { return m_codes; }

    // The letter the kind is stored under: O a division, F a faculty, K a department.
    static QChar letterOf(Kind kind);
    static std::optional<Kind> kindOf(QChar letter);

private:
    std::map<std::pair<Kind, qint64>, QString> m_codes;
};

} // namespace zeb
