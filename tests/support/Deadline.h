// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <unistd.h>

namespace kursomatik::testing {

// Ends the test program when the guarded steps take longer than given, as a read that waits for
// ever on a pipe would: the hang shows as a failed test instead of a blocked suite.
class Deadline {
  public:
    explicit Deadline(unsigned seconds) { ::alarm(seconds); }
    ~Deadline() { ::alarm(0); }
    Deadline(const Deadline&) = delete;
    Deadline& operator=(const Deadline&) = delete;
};

}  // namespace kursomatik::testing
