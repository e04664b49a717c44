// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/CheckedOutput.h"

#include <string_view>

#include "platform/FileOperations.h"

namespace kursomatik {

CheckedOutput::CheckedOutput(int descriptor) : descriptor_(descriptor) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

Status CheckedOutput::finish() {
    drain();
    return failure_;
}

CheckedOutput::int_type CheckedOutput::overflow(int_type c) {
    drain();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int CheckedOutput::sync() {
    drain();
    return failure_ ? 0 : -1;
}

void CheckedOutput::drain() {
    const std::string_view pending(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    if (failure_ && !pending.empty()) failure_ = writeAt(descriptor_, pending, -1);
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

}  // namespace kursomatik
