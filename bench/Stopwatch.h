// CStopwatch: wall-clock and process CPU time of one timed operation.
#pragma once

#include <time.h>

#include <chrono>

// What one timed operation cost: elapsed wall-clock time, and the CPU time the whole process
// used meanwhile. On a shared machine the CPU time is not inflated by other processes.
struct STiming {
    double wall = 0;  // ms
    double cpu = 0;   // ms
};

class CStopwatch {
public:
    CStopwatch() : m_wall(std::chrono::steady_clock::now()), m_cpu(CpuNow()) {}

    STiming Elapsed() const {
        STiming t;
        t.wall =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_wall)
                .count();
        t.cpu = CpuNow() - m_cpu;
        return t;
    }

private:
    static double CpuNow() {
        timespec ts{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
        return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
    }

    std::chrono::steady_clock::time_point m_wall;
    double m_cpu;
};
