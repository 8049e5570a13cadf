#pragma once
// A piece of the program against the least any program must pay for the same work (its
// anchor), run in alternation in one process so that the machine's load falls on both alike.
// Each round times the anchor and the piece once each; the figure is the ratio of the two,
// given as the median of the rounds with the quartiles as its spread.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <vector>

namespace veldor::bench {

// CPU time of the whole process, user and system: on a loaded machine wall time mostly
// measures the other processes.
inline double CpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
}

struct Spread
{
    double median = 0, low = 0, high = 0; // the middle value and the quartiles
};

inline Spread SpreadOf(std::vector<double> values)
{
    if (values.empty())
        return {};
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return {values[n / 2], values[n / 4], values[(3 * n) / 4]};
}

// Whether the run is CI's brief one (`--quick` on the command line): the programs must build
// and run, the figures do not matter. The option becomes Google Benchmark's shortest run.
inline bool QuickRun(int argc, char** argv)
{
    static char brief[] = "--benchmark_min_time=0.001";
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--quick") == 0) {
            argv[i] = brief;
            return true;
        }
    return false;
}

// Per round: `repeat` runs of the anchor, then of the piece (the order swapped every other
// round); the CPU-time ratios of the rounds, and each side's median per run in `anchorMs` and
// `pieceMs`.
template <class Anchor, class Piece>
Spread CompareCpu(int rounds, int repeat, Anchor&& anchor, Piece&& piece,
                  double* anchorMs = nullptr, double* pieceMs = nullptr)
{
    std::vector<double> ratios, anchors, pieces;
    auto timed = [repeat](auto& work) {
        const double start = CpuMs();
        for (int k = 0; k < repeat; ++k)
            work();
        return (CpuMs() - start) / repeat;
    };
    anchor(); // the first run of each fills caches the others find full
    piece();
    for (int round = 0; round < rounds; ++round) {
        double a, p;
        if (round % 2 == 0) {
            a = timed(anchor);
            p = timed(piece);
        } else {
            p = timed(piece);
            a = timed(anchor);
        }
        anchors.push_back(a);
        pieces.push_back(p);
        ratios.push_back(a > 0 ? p / a : 0);
    }
    if (anchorMs)
        *anchorMs = SpreadOf(anchors).median;
    if (pieceMs)
        *pieceMs = SpreadOf(pieces).median;
    return SpreadOf(ratios);
}

// One line: "piece / anchor = 1.04 (0.98..1.10)  target <= 1.1: met".
inline void PrintRatio(const char* piece, const char* anchor, const Spread& ratio, double target)
{
    std::printf("  %-28s / %-26s = %5.2f (%.2f..%.2f)", piece, anchor, ratio.median, ratio.low,
                ratio.high);
    if (target > 0)
        std::printf("   target <= %.2f: %s", target, ratio.median <= target ? "met" : "MISSED");
    std::printf("\n");
}

} // namespace veldor::bench
