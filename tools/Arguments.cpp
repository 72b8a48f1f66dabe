#include "tools/Arguments.h"

#include "tools/Console.h"

namespace zeb {

Arguments::Arguments(const QStringList& words, const QStringList& valueOptions, const QStringList& flags)
{
    bool optionsEnded = false;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QString& word = words.at(i);
        if (optionsEnded || !word.startsWith(QLatin1String("--"))) {
            m_positional.append(word);
            continue;
        }
        if (word == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const qsizetype equals = word.indexOf(QLatin1Char('='));
        const QString name = word.mid(2, equals < 0 ? -1 : equals - 2);
        if (flags.contains(name)) {
            if (equals >= 0)
                throw UsageError(QStringLiteral("параметр --%1 не принимает значения.").arg(name));
            m_values.insert(name, QString());
        } else if (valueOptions.contains(name)) {
            if (equals < 0 && i + 1 >= words.size())
                throw UsageError(QStringLiteral("для параметра --%1 не указано значение.").arg(name));
            const QString value = equals >= 0 ? word.mid(equals + 1) : words.at(++i);
            m_values.insert(name, value);
            m_repeated[name].append(value);
        } else {
            throw UsageError(QStringLiteral("неизвестный параметр «%1».").arg(word));
        }
    }
}

QString Arguments::required(const QString& name) const
{
    // Typed on the command line, a password stays in the shell's history and the process list.
    if (!has(name) && name == QLatin1String("password"))
        return console::readPassword(QStringLiteral("Пароль: "), QStringLiteral("пароль --password"));
    if (!has(name))
        throw UsageError(QStringLiteral("не указан обязательный параметр --%1.").arg(name));
    return value(name);
}

QString Arguments::requiredFile(const QString& name, const std::function<void(const QString&)>& check) const
{
    const QString file = required(name);
    try {
        check(file);
    } catch (const Error& error) {
        throw UsageError(error.message());
    }
    return file;
}

QDate Arguments::requiredDay(const QString& name) const
{
    const QString text = required(name);
    const QDate day = QDate::fromString(text, QStringLiteral("dd.MM.yyyy"));
    if (!day.isValid())
        throw UsageError(
            QStringLiteral("дата --%1 «%2» не распознана: ожидается ДД.ММ.ГГГГ, например 01.09.2024.")
                .arg(name, text));
    return day;
}

QDate Arguments::optionalDay(const QString& name) const
{
    return has(name) ? requiredDay(name) : QDate();
}

int Arguments::integer(const QString& name, int fallback) const
{
    if (!has(name))
        return fallback;
    bool ok = false;
    const int number = value(name).toInt(&ok);
    if (!ok)
        throw UsageError(
            QStringLiteral("значение параметра --%1 должно быть целым числом: «%2».").arg(name, value(name)));
    return number;
}

void Arguments::expectPositional(const QStringList& names, int optional) const
{
    const qsizetype needed = names.size() - optional;
    if (m_positional.size() < needed)
        throw UsageError(QStringLiteral("не указано: %1.").arg(names.at(m_positional.size())));
    if (m_positional.size() > names.size())
        throw UsageError(QStringLiteral("лишний аргумент «%1».").arg(m_positional.at(names.size())));
}

} // namespace zeb
