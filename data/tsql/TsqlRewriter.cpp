#include "TsqlRewriter.h"

namespace zeb {

TsqlRewriter::TsqlRewriter(SqlDialect dialect) : m_dialect(dialect) {}

RewrittenStatement TsqlRewriter::rewrite(const QString& tsql)
{
    return RewrittenStatement{RewrittenStatement::Kind::Sql, tsql, {}};
}

} // namespace zeb
