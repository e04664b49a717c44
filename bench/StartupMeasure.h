// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <cstdio>
#include <ctime>

namespace kursomatik::bench {

// For bench/startup.sh, once the window is on the screen: the wall clock in microseconds and the peak
// resident memory in KiB. The clock is read here, not when the process has gone, because ending a
// process that watches files waits for the kernel to retire its watches, a few milliseconds the user
// never sees.
inline void reportShown() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%lld %ld\n", static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000,
                usage.ru_maxrss);
    std::fflush(stdout);
}

}  // namespace kursomatik::bench
