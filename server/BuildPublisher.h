#pragma once

#include <QString>
#include <optional>

namespace zeb {

class Engine;

// A published build of the client: its number and the lower-case hex SHA-256 of its executable.
struct PublishedBuild
{
    int build = 0;
    QString digest;
};

// The build of "ZEB 7" that GET_USER tells older workstations to take, with the digest their download must
// match; kept in zeb_program through an engine with the administrator's rights. Every refusal raises Error
// with a Russian text.
class BuildPublisher
{
public:
    explicit BuildPublisher(Engine& engine);

    // Build 0 and no digest when nothing was ever published.
    PublishedBuild current() const;
    // A build chosen by number leaves a million numbers after it, so that a mistyped number cannot use up
    // the numbering and block every later build.
    static constexpr int maxChosenBuild = 2147483647 - 1000000;

    // Publishes the executable as the given build, by default the one after the current; a build not
    // greater than the current one is refused, and so is a chosen one above maxChosenBuild.
    PublishedBuild publish(const QString& executable, std::optional<int> build = std::nullopt);

    static QString fileDigest(const QString& path);

private:
    Engine& m_engine;
};

} // namespace zeb
