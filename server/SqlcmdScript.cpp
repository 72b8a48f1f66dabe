#include "server/SqlcmdScript.h"

#include "platform/Error.h"
#include "server/TextSubstitution.h"

#include <QRegularExpression>

namespace zeb {

namespace {

// Values go between ' and ] in the scripts; anything that could close either is refused.
void checkValue(const QString& script, const QString& name, const QString& value)
{
    if (value.isEmpty() || value.contains(QLatin1Char('\'')) || value.contains(QLatin1Char(']')) ||
        value.contains(QLatin1String("$(")))
        throw Error(QStringLiteral("Значение $(%1) сценария %2 пустое или содержит недопустимые символы.")
                        .arg(name, script));
}

QString withValues(const QString& script, const QString& line, const QHash<QString, QString>& values)
{
    static const QRegularExpression variable(QStringLiteral("\\$\\(([A-Za-z_][A-Za-z0-9_]*)\\)"));
    const QString result = substituted(line, variable, [&](const QRegularExpressionMatch& match) {
        const QString name = match.captured(1);
        const auto value = values.constFind(name);
        if (value == values.constEnd())
            throw Error(
                QStringLiteral("Сценарий %1 требует значение $(%2), которое не задано.").arg(script, name));
        checkValue(script, name, *value);
        return *value;
    });
    if (result.contains(QLatin1String("$(")))
        throw Error(QStringLiteral("Сценарий %1 содержит неподставленную переменную: %2")
                        .arg(script, line.trimmed()));
    return result;
}

} // namespace

QStringList SqlcmdScript::batches(const QString& name, const QString& text,
                                  const QHash<QString, QString>& values)
{
    static const QRegularExpression go(QStringLiteral("^\\s*GO\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression onErrorExit(QStringLiteral("^\\s*:on\\s+error\\s+exit\\s*$"),
                                                QRegularExpression::CaseInsensitiveOption);
    QStringList result;
    QStringList batch;
    const auto flush = [&] {
        const QString joined = batch.join(QLatin1Char('\n')).trimmed();
        if (!joined.isEmpty())
            result.append(joined);
        batch.clear();
    };
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        QString plain = line;
        if (plain.endsWith(QLatin1Char('\r')))
            plain.chop(1);
        if (go.match(plain).hasMatch()) {
            flush();
            continue;
        }
        if (onErrorExit.match(plain).hasMatch())
            continue;
        // The tool runs batches, not sqlcmd's own commands (:r, :setvar, !!...): they would mean something
        // other than what a hand run does.
        if (plain.trimmed().startsWith(QLatin1Char(':')) || plain.trimmed().startsWith(QLatin1String("!!")))
            throw Error(
                QStringLiteral("Сценарий %1 содержит команду sqlcmd, которую инструмент не выполняет: %2")
                    .arg(name, plain.trimmed()));
        batch.append(withValues(name, plain, values));
    }
    flush();
    return result;
}

} // namespace zeb
