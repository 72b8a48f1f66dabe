#pragma once

#include <QString>

namespace zeb {

class ResultCursor;

// The first row of GET_USER's result, read by column position.
struct GetUserAnswer
{
    QString dbUserId;           // column 0, scrambled
    QString dbPassword;         // column 1, scrambled
    qint64 passwordStatus = 0;  // column 3: below 0 the password must change, below 20 a change is proposed
    QString message;            // column 4: when not empty, the sign-in is refused with it
    qint64 updateIndicator = 0; // column 5: 2 or more, the client must update itself
    // Column 6, when the server sends it: hex SHA-256 of the published executable; empty when none is
    // published.
    QString updateDigest;
    // Column 7, when the server sends it: the number of that build; 0 when none is told.
    qint64 updateBuild = 0;

    // Moves a fresh cursor to its first row and reads it. Raises Error when there is no row, fewer than six
    // columns, or an integer column holds something else.
    static GetUserAnswer read(ResultCursor& cursor);

    QString unscrambledUserId() const;
    QString unscrambledPassword() const;
};

} // namespace zeb
