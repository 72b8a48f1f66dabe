#pragma once

#include "platform/Error.h"

#include <QDate>
#include <QHash>
#include <QStringList>
#include <functional>

namespace zeb {

// The command line was not understood; the tool answers with exit code 2.
class UsageError : public Error
{
public:
    using Error::Error;
};

// The words after a command: options with a value ("--name value" or "--name=value"), flags ("--name")
// and positional words in order. "--" ends the options. Raises UsageError on an unknown option or an
// option without its value.
class Arguments
{
public:
    Arguments(const QStringList& words, const QStringList& valueOptions, const QStringList& flags = {});

    bool has(const QString& name) const { return m_values.contains(name); }
    // The last value given.
    QString value(const QString& name, const QString& fallback = {}) const
    {
        return m_values.value(name, fallback);
    }
    // Every value of an option that may be repeated, in the order given.
    QStringList values(const QString& name) const { return m_repeated.value(name); }
    // The value of an option that must be given. A password (--password) left out is asked for on the
    // terminal without echo, or read as one line from standard input, rather than refused.
    QString required(const QString& name) const;
    int integer(const QString& name, int fallback) const;
    // The date of an option that must be given, written ДД.ММ.ГГГГ; raises UsageError naming the option and
    // the text otherwise.
    QDate requiredDay(const QString& name) const;
    // The same of an option that may be left out: a null date then.
    QDate optionalDay(const QString& name) const;
    // The value of an option that must be given and name a file `check` accepts: its refusal (an Error) is
    // raised as UsageError, so that a mistyped name is refused before anything is read.
    QString requiredFile(const QString& name, const std::function<void(const QString&)>& check) const;

    const QStringList& positional() const { return m_positional; }
    // Raises UsageError unless the positional words are those named, of which the last `optional` may be
    // left out; the message names the first one missing.
    void expectPositional(const QStringList& names, int optional = 0) const;

private:
    QHash<QString, QString> m_values;
    QHash<QString, QStringList> m_repeated;
    QStringList m_positional;
};

} // namespace zeb
