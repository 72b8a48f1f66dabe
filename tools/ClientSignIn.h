#pragma once

#include <QString>

namespace zeb {

class Arguments;
class Connection;

// Signs in as the client does, through GET_USER on the account of DIR/Data/ZEB, and leaves `connection`
// open on the schedule account the server hands out, date order dmy. A refused sign-in raises Error with
// the server's message; warnings the client would show go to standard error.
void signInAsClient(Connection& connection, const QString& directory, const QString& login,
                    const QString& password);
// The same with DIR the first positional word and the --login and --password options.
void signInAsClient(Connection& connection, const Arguments& arguments);

} // namespace zeb
