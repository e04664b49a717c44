// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>

namespace kursomatik {

// Under a file-size limit (ulimit -f) the kernel ends a process whose write goes past it with
// SIGXFSZ, half-way through a record. Ignored, that write fails with EFBIG instead, which the file
// layer reports and cuts back. Every main() calls this first; an ignored signal stays ignored across
// exec, so what the launcher starts inherits it too.
inline void ignoreFileSizeSignal() {
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace kursomatik
