#pragma once

#include <QString>

namespace zeb {

class Connection;
class Engine;

// What the institution prints on its staff schedule whatever the date: kept in the database, one row for
// the installation, set by the administration tool and by the client.
struct FormRequisites
{
    QString okpo;
    QString hrHeadPosition;
    QString hrHeadName;
    QString chiefAccountantName;

    friend bool operator==(const FormRequisites&, const FormRequisites&) = default;
};

// Empty texts where nothing was set.
FormRequisites loadFormRequisites(Connection& connection);
FormRequisites loadFormRequisites(Engine& engine);
// Empty texts are kept as NULL. Raises Error when the installation lacks the requisites' row.
void saveFormRequisites(Connection& connection, const FormRequisites& requisites);
void saveFormRequisites(Engine& engine, const FormRequisites& requisites);

} // namespace zeb
