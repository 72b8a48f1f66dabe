#include "tools/Console.h"

#include "tools/Arguments.h"

#include <QFile>
#include <QRegularExpression>
#include <cstdio>
#include <optional>

#ifdef Q_OS_UNIX
#include <csignal>
#include <termios.h>
#include <unistd.h>
#endif

namespace zeb::console {

namespace {

void writeError(const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
    std::fflush(stderr);
}

#ifdef Q_OS_UNIX

termios g_typedShown;
constexpr int restoringSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// Ctrl+C or a hang-up while the echo is off must not leave the terminal blind.
void restoreEchoAndDie(int signal)
{
    tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_typedShown);
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

bool inputIsTerminal()
{
    return isatty(STDIN_FILENO) == 1;
}

// Switches the terminal's echo off for its lifetime; the line break of Enter still shows.
class HiddenTyping
{
public:
    HiddenTyping()
    {
        tcgetattr(STDIN_FILENO, &g_typedShown);
        for (const int signal : restoringSignals)
            std::signal(signal, restoreEchoAndDie);
        termios hidden = g_typedShown;
        hidden.c_lflag &= ~tcflag_t(ECHO);
        hidden.c_lflag |= ECHONL;
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
    }
    ~HiddenTyping()
    {
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &g_typedShown);
        for (const int signal : restoringSignals)
            std::signal(signal, SIG_DFL);
    }
    HiddenTyping(const HiddenTyping&) = delete;
    HiddenTyping& operator=(const HiddenTyping&) = delete;
};

#else

// Without termios the password is read as from a pipe.
bool inputIsTerminal()
{
    return false;
}

struct HiddenTyping
{
};

#endif

// One line of standard input; nothing when it ends before any byte.
std::optional<QByteArray> readLine()
{
    QByteArray line;
    for (int c = std::getchar(); c != EOF; c = std::getchar()) {
        if (c == '\n')
            return line;
        line.append(char(c));
    }
    if (line.isEmpty())
        return std::nullopt;
    return line;
}

} // namespace

QFile& output()
{
    static QFile file;
    if (!file.isOpen())
        file.open(stdout, QIODevice::WriteOnly);
    return file;
}

void print(const QString& line)
{
    output().write((line + QLatin1Char('\n')).toUtf8());
    output().flush();
}

void printError(const QString& message)
{
    static const QRegularExpression lineBreaks(QStringLiteral("\\s*[\\r\\n]+\\s*"));
    const QString oneLine = message.trimmed().replace(lineBreaks, QStringLiteral(" "));
    writeError(QStringLiteral("zeb7-admin: ") + oneLine + QLatin1Char('\n'));
}

QString readPassword(const QString& prompt, const QString& what)
{
    std::optional<HiddenTyping> hidden;
    if (inputIsTerminal()) {
        writeError(prompt);
        hidden.emplace();
    }
    std::optional<QByteArray> line = readLine();
    hidden.reset();
    if (!line)
        throw UsageError(
            QStringLiteral("не указан %1: его нет ни в командной строке, ни на стандартном вводе.")
                .arg(what));
    if (line->endsWith('\r'))
        line->chop(1);
    return QString::fromUtf8(*line);
}

} // namespace zeb::console
