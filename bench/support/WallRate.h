#pragma once
// Pages per second over the wall-clock time of a benchmark's loop: printing waits on files and
// on other threads, so the CPU time of the benchmark's thread would flatter it.
#include <benchmark/benchmark.h>

#include <chrono>

namespace bench {

class WallRate {
public:
    WallRate() : start_(std::chrono::steady_clock::now()) {}
    // Count items over the seconds since construction, as a plain counter.
    benchmark::Counter per(double count) const
    {
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
        return benchmark::Counter(s > 0 ? count / s : 0);
    }

private:
    std::chrono::steady_clock::time_point start_;
};

} // namespace bench
