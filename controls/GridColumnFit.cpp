#include "controls/GridColumnFit.h"

#include <QtGlobal>

namespace zeb {

namespace {

int minimumOf(const QList<int>& minimums, qsizetype column)
{
    return column < minimums.size() ? qMax(0, minimums[column]) : 0;
}

// What the columns not held at their minimum share: the room left and the sum of their proportions.
struct FreeRoom
{
    qint64 width = 0;
    qint64 proportions = 0;
};

FreeRoom freeRoom(const QList<int>& proportions, const QList<int>& minimums, const QList<bool>& held,
                  int available)
{
    FreeRoom room{available, 0};
    for (qsizetype i = 0; i < proportions.size(); ++i) {
        if (held[i])
            room.width -= minimumOf(minimums, i);
        else
            room.proportions += qMax(1, proportions[i]);
    }
    return room;
}

} // namespace

QList<int> fitColumnWidths(const QList<int>& proportions, const QList<int>& minimums, int available)
{
    const qsizetype count = proportions.size();
    QList<bool> held(count, false);
    // Holding one column at its minimum takes room from the others, which may then need holding too.
    for (bool again = true; again;) {
        again = false;
        const FreeRoom room = freeRoom(proportions, minimums, held, available);
        for (qsizetype i = 0; i < count; ++i) {
            if (!held[i] && qMax(1, proportions[i]) * qMax<qint64>(0, room.width) <
                                minimumOf(minimums, i) * room.proportions) {
                held[i] = true;
                again = true;
            }
        }
    }

    const FreeRoom room = freeRoom(proportions, minimums, held, available);
    const qint64 free = qMax<qint64>(0, room.width);
    const qint64 total = room.proportions;
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
