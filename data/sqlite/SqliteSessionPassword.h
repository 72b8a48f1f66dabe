#pragma once

#include <QString>

namespace zeb::sqlitesession {

// The password GET_USER hands out with a person's own login at every accepted sign-in: Latin letters and
// digits from the system's secure random source, so that it fits the 20 characters of the answer and a
// connection string as it is.
QString newPassword();

// What the file keeps of that password: its SHA-256, so that reading the file opens no connection.
QString digest(const QString& password);

} // namespace zeb::sqlitesession
