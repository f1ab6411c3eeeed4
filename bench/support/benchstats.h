#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <functional>
#include <vector>

// What every benchmark here measures with: the median of its samples, and the
// time one piece of work takes.
namespace BenchStats {

template <class T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

inline double timedMs(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return double(timer.nsecsElapsed()) / 1e6;
}

} // namespace BenchStats
