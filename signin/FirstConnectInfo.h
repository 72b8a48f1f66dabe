#pragma once

#include <QString>

namespace zeb {

// The connection settings of one sign-in attempt. After GET_USER accepts the user, userId and password are
// replaced by the returned database account; the catalog and the server stay.
struct FirstConnectInfo
{
    QString userId;
    QString password;
    QString initialCatalog;
    QString dataSource;

    bool operator==(const FirstConnectInfo&) const = default;
};

} // namespace zeb
