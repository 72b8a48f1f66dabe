#pragma once

#include <QRegularExpression>
#include <QString>
#include <functional>

namespace zeb {

// `text` with every match of `pattern` replaced by what `replacement` gives for it; whatever it raises
// stops the substitution.
QString substituted(const QString& text, const QRegularExpression& pattern,
                    const std::function<QString(const QRegularExpressionMatch&)>& replacement);

} // namespace zeb
