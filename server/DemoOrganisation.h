#pragma once

#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>

namespace zeb {

class Engine;

struct DemoPost
{
    qint64 id = 0;
    int structure = 0; // staff category, a key of Structure
    int grade = 1;     // usual pay grade of the post
};

// How many lines of one post a unit of the demo schedule gets.
struct DemoStaffing
{
    const char* post;
    int minLines;
    int maxLines;
};

// A unit of the schedule given by the Vakansii columns that place a line in it (null where unused).
struct DemoUnit
{
    QVariant otdel1;
    QVariant otdel11;
    QVariant faculty;
    QVariant otdel2;
    QVariant kafedra;
    QList<DemoStaffing> staffing;
    bool abolished = false; // every line of the unit is withdrawn
};

struct DemoOrganisation
{
    QHash<QString, DemoPost> posts;
    QList<DemoUnit> units;
};

// Inserts the posts, the divisions with their sub-levels, the faculties with their level-2 divisions and
// departments of the demo university; vuz rows 1 and 2 must exist.
DemoOrganisation insertDemoOrganisation(Engine& engine);

} // namespace zeb
