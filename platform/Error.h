#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace zeb {

// Every error the program raises carries a text meant for the user.
class Error : public std::exception
{
public:
    explicit Error(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Reading or writing a file failed.
class IoError : public Error
{
public:
    using Error::Error;
};

// Ends an operation on purpose; nothing is shown to the user.
class Abort : public Error
{
public:
    Abort() : Error(QString()) {}
};

// The text of any error for the user: an own error's message, otherwise what the library said.
inline QString errorMessage(const std::exception& error)
{
    if (const auto* own = dynamic_cast<const Error*>(&error))
        return own->message();
    return QString::fromUtf8(error.what());
}

} // namespace zeb
