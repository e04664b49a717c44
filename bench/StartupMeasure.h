// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <cstdio>

namespace kursomatik::bench {

// The probes' peak resident memory in KiB on stdout, for bench/startup.sh, once the window is shown.
inline void reportPeakMemory() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    std::printf("%ld\n", usage.ru_maxrss);
    std::fflush(stdout);
}

}  // namespace kursomatik::bench
