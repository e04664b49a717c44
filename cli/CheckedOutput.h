// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <streambuf>

#include "platform/Result.h"

namespace kursomatik {

// The command's standard output: buffered, written by the file layer, and the cause of the first
// write that failed kept (a full disk, /dev/full, a closed descriptor), so that a result that never
// arrived is told as such with its reason. After a failure the rest is dropped.
class CheckedOutput : public std::streambuf {
  public:
    explicit CheckedOutput(int descriptor);
    CheckedOutput(const CheckedOutput&) = delete;
    CheckedOutput& operator=(const CheckedOutput&) = delete;

    // Writes what is buffered; the failure of this or any earlier write, with its German cause.
    Status finish();

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    void drain();
    int descriptor_;
    Status failure_ = Status::ok();
    std::array<char, 4096> buffer_{};
};

}  // namespace kursomatik
