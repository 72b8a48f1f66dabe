#include "data/SqlTrace.h"

Q_LOGGING_CATEGORY(zebSql, "zeb.sql", QtWarningMsg)
