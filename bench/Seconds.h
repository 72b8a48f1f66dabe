#pragma once

#include <QElapsedTimer>

// Wall-clock seconds the work takes.
template <typename Work> double secondsOf(Work&& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e9;
}
