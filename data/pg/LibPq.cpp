#include "data/pg/LibPq.h"

#include "data/DatabaseError.h"

#include <QLibrary>

namespace zeb {

namespace {

template <typename Function> void resolve(QLibrary& library, Function& function, const char* name)
{
    function = reinterpret_cast<Function>(library.resolve(name));
    if (!function)
        throw DatabaseError(
            QStringLiteral("В клиентской библиотеке PostgreSQL нет функции %1.").arg(QLatin1String(name)));
}

LibPq load()
{
    QLibrary library(QStringLiteral("pq"), 5);
    if (!library.load())
        throw DatabaseError(QStringLiteral("Не найдена клиентская библиотека PostgreSQL (libpq): %1")
                                .arg(library.errorString()));
    LibPq pq{};
    resolve(library, pq.PQclear, "PQclear");
    resolve(library, pq.PQcmdTuples, "PQcmdTuples");
    resolve(library, pq.PQconnectdbParams, "PQconnectdbParams");
    resolve(library, pq.PQerrorMessage, "PQerrorMessage");
    resolve(library, pq.PQexec, "PQexec");
    resolve(library, pq.PQexecPrepared, "PQexecPrepared");
    resolve(library, pq.PQfinish, "PQfinish");
    resolve(library, pq.PQfmod, "PQfmod");
    resolve(library, pq.PQfname, "PQfname");
    resolve(library, pq.PQfreemem, "PQfreemem");
    resolve(library, pq.PQftable, "PQftable");
    resolve(library, pq.PQftype, "PQftype");
    resolve(library, pq.PQgetisnull, "PQgetisnull");
    resolve(library, pq.PQgetlength, "PQgetlength");
    resolve(library, pq.PQgetResult, "PQgetResult");
    resolve(library, pq.PQgetvalue, "PQgetvalue");
    resolve(library, pq.PQnfields, "PQnfields");
    resolve(library, pq.PQntuples, "PQntuples");
    resolve(library, pq.PQpingParams, "PQpingParams");
    resolve(library, pq.PQprepare, "PQprepare");
    resolve(library, pq.PQresultErrorField, "PQresultErrorField");
    resolve(library, pq.PQresultErrorMessage, "PQresultErrorMessage");
    resolve(library, pq.PQresultStatus, "PQresultStatus");
    resolve(library, pq.PQsendQueryParams, "PQsendQueryParams");
    resolve(library, pq.PQsetNoticeProcessor, "PQsetNoticeProcessor");
    resolve(library, pq.PQsetSingleRowMode, "PQsetSingleRowMode");
    resolve(library, pq.PQstatus, "PQstatus");
    resolve(library, pq.PQunescapeBytea, "PQunescapeBytea");
    return pq;
}

} // namespace

const LibPq& libpq()
{
    // The library stays loaded for the rest of the run: QLibrary does not unload on destruction.
    static const LibPq pq = load();
    return pq;
}

} // namespace zeb
