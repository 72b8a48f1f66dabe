#pragma once

// Adds the columns tsql, sqlite and postgres and one row per statement the client sends (sample keys and
// texts spliced in), with what each engine is to receive.
void addClientStatementRows();
