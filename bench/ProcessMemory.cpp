#include "bench/ProcessMemory.h"

#include <QFile>
#include <malloc.h>
#include <unistd.h>

namespace processMemory {

namespace {

QByteArray procFile(const char* name)
{
    QFile file(QString::fromLatin1(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

qint64 residentBytes()
{
    // statm: total and resident pages.
    const QList<QByteArray> fields = procFile("/proc/self/statm").split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * sysconf(_SC_PAGESIZE) : 0;
}

qint64 peakResidentBytes()
{
    for (const QByteArray& line : procFile("/proc/self/status").split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

void resetPeak()
{
    QFile file(QStringLiteral("/proc/self/clear_refs"));
    if (file.open(QIODevice::WriteOnly))
        file.write("5");
}

void returnFreed()
{
    malloc_trim(0);
}

} // namespace processMemory
