#include "tests/support/SentStatements.h"

#include <QLoggingCategory>

namespace zeb {

namespace {

QStringList* recording = nullptr;
QtMessageHandler previousHandler = nullptr;

void recordSent(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "zeb.sql") != 0) {
        if (previousHandler)
            previousHandler(type, context, message);
        return;
    }
    if (recording && message.startsWith(QLatin1String("sent: ")))
        recording->append(message.mid(6));
}

} // namespace

SentStatements::SentStatements()
{
    recording = &m_sent;
    QLoggingCategory::setFilterRules(QStringLiteral("zeb.sql.debug=true"));
    previousHandler = qInstallMessageHandler(recordSent);
}

SentStatements::~SentStatements()
{
    qInstallMessageHandler(previousHandler);
    QLoggingCategory::setFilterRules(QString());
    recording = nullptr;
}

} // namespace zeb
