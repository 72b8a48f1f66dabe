#include "signin/update/PosixUpdateScript.h"

#include <QFile>
#include <algorithm>

namespace zeb {

namespace {

// Single quotes keep every byte as it is; a quote itself is closed, escaped and reopened.
QByteArray shellQuoted(const QString& path)
{
    QByteArray quoted = QFile::encodeName(path);
    quoted.replace('\'', "'\\''");
    return '\'' + quoted + '\'';
}

QByteArray seconds(std::chrono::milliseconds interval)
{
    return QByteArray::number(static_cast<double>(interval.count()) / 1000.0, 'f', 3);
}

} // namespace

QByteArray posixUpdateScript(const UpdateSite& site, const QString& scriptPath,
                             std::chrono::milliseconds pollInterval, std::chrono::milliseconds waitLimit)
{
    QByteArray script =
        "#!/bin/sh\n"
        "# Left by the self-update: puts the new executable in place once the program has ended.\n";
    script += "pid=" + QByteArray::number(site.processId) + '\n';
    script += "home=" + shellQuoted(site.home) + '\n';
    script += "program=" + shellQuoted(site.executable) + '\n';
    script += "script=" + shellQuoted(scriptPath) + '\n';

    QByteArray steps = R"(new="$home/tempZEB/ZEB 7.exe"
polls=0
while kill -0 "$pid" 2>/dev/null; do
    if [ "$polls" -ge @POLLS@ ]; then
        exit 1
    fi
    sleep @SLEEP@
    polls=$((polls + 1))
done
if [ -s "$new" ]; then
    next="$program.update-$$"
    if cp "$new" "$next" && chmod +x "$next" && mv -f "$next" "$program"; then
        rm -rf "$home/tempZEB"
        (cd "$home" && exec "$program" </dev/null >/dev/null 2>&1) &
    else
        rm -f "$next"
    fi
fi
rm -f "$script"
)";
    const qint64 polls = std::max<qint64>(1, waitLimit / pollInterval);
    steps.replace("@POLLS@", QByteArray::number(polls));
    steps.replace("@SLEEP@", seconds(pollInterval));
    return script + steps;
}

} // namespace zeb
