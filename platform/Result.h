// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kursomatik {

// What kind of failure a message tells of, so that a caller tests the kind, never the words.
enum class Cause {
    None,
    Missing,   // no such file or folder
    Refused,   // no permission, a read-only medium
    TooLarge,  // over a size limit, ours or the system's
    Other,     // anything else: an I/O error, a full disk, a file of the wrong kind, bad content
};

// Outcome of an operation that can fail with a message for the user. Core code reports failures
// this way instead of throwing, so a window can always show the message and carry on.
class Status {
  public:
    static Status ok() { return Status(); }
    static Status fail(std::string message, Cause cause = Cause::Other) {
        return Status(std::move(message), cause);
    }

    explicit operator bool() const { return cause_ == Cause::None; }
    const std::string& error() const { return error_; }
    Cause cause() const { return cause_; }

  private:
    Status() = default;
    Status(std::string message, Cause cause) : cause_(cause), error_(std::move(message)) {}
    Cause cause_ = Cause::None;
    std::string error_;
};

template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor): reads like a return
    Result(Status failure) : failure_(std::move(failure)) {}  // NOLINT(google-explicit-constructor)

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return failure_.error(); }
    const Status& status() const { return failure_; }

  private:
    std::optional<T> value_;
    Status failure_ = Status::ok();
};

}  // namespace kursomatik
