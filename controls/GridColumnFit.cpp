#include "GridColumnFit.h"

#include <QtGlobal>

namespace zeb {

namespace {

int minimumOf(const QList<int>& minimums, qsizetype column)
{
    return column < minimums.size() ? qMax(0, minimums[column]) : 0;
}

} // namespace

QList<int> fitColumnWidths(const QList<int>& proportions, const QList<int>& minimums, int available)
{
    const qsizetype count = proportions.size();
    QList<bool> held(count, false);
    // Holding one column at its minimum takes room from the others, which may then need holding too.
    for (bool again = true; again;) {
        again = false;
        qint64 free = available;
        qint64 total = 0;
        for (qsizetype i = 0; i < count; ++i) {
            if (held[i])
                free -= minimumOf(minimums, i);
            else
                total += qMax(1, proportions[i]);
        }
        for (qsizetype i = 0; i < count; ++i) {
            if (!held[i] &&
                qMax(1, proportions[i]) * qMax<qint64>(0, free) < minimumOf(minimums, i) * total) {
                held[i] = true;
                again = true;
            }
        }
    }

    qint64 free = available;
    qint64 total = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (held[i])
            free -= minimumOf(minimums, i);
        else
            total += qMax(1, proportions[i]);
    }
    free = qMax<qint64>(0, free);
    // Rounding is carried over, so that the free columns fill their room exactly.
    QList<int> widths(count, 0);
    qint64 sum = 0;
    int used = 0;
    for (qsizetype i = 0; i < count; ++i) {
        if (held[i]) {
            widths[i] = minimumOf(minimums, i);
            continue;
        }
        sum += qMax(1, proportions[i]);
        const int right = int((sum * free + total / 2) / total);
        widths[i] = right - used;
        used = right;
    }
    return widths;
}

} // namespace zeb
