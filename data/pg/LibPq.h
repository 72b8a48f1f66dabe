#pragma once

#include <libpq-fe.h>

namespace zeb {

// The PostgreSQL client library, loaded on first use: a workstation on the embedded engine or SQL Server
// never pays for loading it (and its TLS, Kerberos and LDAP libraries) at start-up.
struct LibPq
{
    decltype(&::PQclear) PQclear;
    decltype(&::PQcmdTuples) PQcmdTuples;
    decltype(&::PQconnectdbParams) PQconnectdbParams;
    decltype(&::PQconsumeInput) PQconsumeInput;
    decltype(&::PQerrorMessage) PQerrorMessage;
    decltype(&::PQexec) PQexec;
    decltype(&::PQexecPrepared) PQexecPrepared;
    decltype(&::PQfinish) PQfinish;
    decltype(&::PQfmod) PQfmod;
    decltype(&::PQfname) PQfname;
    decltype(&::PQfreemem) PQfreemem;
    decltype(&::PQftable) PQftable;
    decltype(&::PQftype) PQftype;
    decltype(&::PQgetisnull) PQgetisnull;
    decltype(&::PQgetlength) PQgetlength;
    decltype(&::PQgetResult) PQgetResult;
    decltype(&::PQgetvalue) PQgetvalue;
    decltype(&::PQisBusy) PQisBusy;
    decltype(&::PQnfields) PQnfields;
    decltype(&::PQntuples) PQntuples;
    decltype(&::PQpingParams) PQpingParams;
    decltype(&::PQprepare) PQprepare;
    decltype(&::PQresultErrorField) PQresultErrorField;
    decltype(&::PQresultErrorMessage) PQresultErrorMessage;
    decltype(&::PQresultStatus) PQresultStatus;
    decltype(&::PQsendQueryParams) PQsendQueryParams;
    decltype(&::PQsetNoticeReceiver) PQsetNoticeReceiver;
    decltype(&::PQsetSingleRowMode) PQsetSingleRowMode;
    decltype(&::PQsocket) PQsocket;
    decltype(&::PQstatus) PQstatus;
    decltype(&::PQtransactionStatus) PQtransactionStatus;
    decltype(&::PQunescapeBytea) PQunescapeBytea;
};

// Raises DatabaseError when the library or one of its functions cannot be found.
const LibPq& libpq();

} // namespace zeb
