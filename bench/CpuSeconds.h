#pragma once

// Processor time of the process spent in work. The benchmarks that compare the program with plain
// library code run both sides on one thread and compare these times, so that other load on the
// machine does not tilt the ratio.
#include <ctime>

template <typename Work> double cpuSecondsOf(Work&& work) {
    timespec start{};
    timespec end{};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &start);
    work();
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &end);
    return static_cast<double>(end.tv_sec - start.tv_sec) +
           static_cast<double>(end.tv_nsec - start.tv_nsec) * 1e-9;
}
