#pragma once

#include <cstdint>

#ifdef _WIN32
// The counters from kernel32, so no psapi library is needed.
#define PSAPI_VERSION 2
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

// The most memory the process has held so far (0 where the system doesn't tell).
inline uint64_t PeakResidentBytes() {
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters = {};
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
#else
    rusage usage = {};
    getrusage(RUSAGE_SELF, &usage);
    return uint64_t(usage.ru_maxrss) * 1024u;
#endif
}
