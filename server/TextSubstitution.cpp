#include "server/TextSubstitution.h"

namespace zeb {

QString substituted(const QString& text, const QRegularExpression& pattern,
                    const std::function<QString(const QRegularExpressionMatch&)>& replacement)
{
    QString result;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator it = pattern.globalMatch(text);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        result += QStringView(text).mid(copied, match.capturedStart() - copied);
        result += replacement(match);
        copied = match.capturedEnd();
    }
    result += QStringView(text).mid(copied);
    return result;
}

} // namespace zeb
