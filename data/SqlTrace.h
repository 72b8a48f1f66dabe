#pragma once

#include <QLoggingCategory>

// Traces every statement as the client sent it and as the engine received it.
Q_DECLARE_LOGGING_CATEGORY(zebSql)
