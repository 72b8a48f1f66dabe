#include "app/CommandLine.h"

#include "signin/dialog/VersionLabel.h"

#include <QCommandLineParser>
#include <cstdio>

namespace zeb {

namespace {

const auto helpText = QStringLiteral(
    "Использование: zeb7 [--help] [--version]\n"
    "ZEB 7 Штатное расписание: штатное расписание подразделений, факультетов и кафедр вуза.\n"
    "\n"
    "Параметры:\n"
    "  -h, --help     показать эту справку\n"
    "  -v, --version  показать версию и время сборки программы\n"
    "\n"
    "Настройки соединения программа берёт из файла Data/ZEB рядом с собой, а если его нет, из\n"
    "/etc/zeb7/ZEB; его пишет администратор командой zeb7-admin init --system. Подробнее: man zeb7.\n");

void print(FILE* stream, const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

} // namespace

std::optional<int> answerCommandLine(const QStringList& arguments, bool refuseUnknown)
{
    QCommandLineParser parser;
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")}, QString());
    parser.addOption(help);
    parser.addOption(version);
    const bool understood = parser.parse(arguments) && parser.positionalArguments().isEmpty();
    if (understood && parser.isSet(help)) {
        print(stdout, helpText);
        return 0;
    }
    if (understood && parser.isSet(version)) {
        print(stdout, QStringLiteral("zeb7 ") + versionLabelText(buildDateTime()) + QLatin1Char('\n'));
        return 0;
    }
    if (understood || !refuseUnknown)
        return std::nullopt;
    const QString unknown = parser.positionalArguments().isEmpty() ? parser.unknownOptionNames().value(0)
                                                                   : parser.positionalArguments().first();
    print(stderr, QStringLiteral("zeb7: неизвестный аргумент «%1». Справка: zeb7 --help\n").arg(unknown));
    return 2;
}

} // namespace zeb
