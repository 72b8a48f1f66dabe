#pragma once

#include <QString>

namespace zeb {

// A database login and its password.
struct ServerAccount
{
    QString user;
    QString password;
};

} // namespace zeb
