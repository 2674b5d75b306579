// The process's peak resident memory, for the benchmarks' reports.
#pragma once

#include <fstream>
#include <string>

// The high-water mark of resident memory in KiB (VmHWM of /proc/self/status),
// or -1 where the system does not tell.
inline long PeakResidentKiB()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmHWM:") {
            long kib = -1;
            status >> kib;
            return kib;
        }
        std::getline(status, key);
    }
    return -1;
}
