// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <utility>

namespace kursomatik {

// Outcome of an operation that can fail with a message for the user. Core code reports failures
// this way instead of throwing, so a window can always show the message and carry on.
class Status {
  public:
    static Status ok() { return Status(); }
    static Status fail(std::string message) { return Status(std::move(message)); }

    explicit operator bool() const { return !failed_; }
    const std::string& error() const { return error_; }

  private:
    Status() = default;
    explicit Status(std::string message) : failed_(true), error_(std::move(message)) {}
    bool failed_ = false;
    std::string error_;
};

template <class T>
class Result {
  public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor): reads like a return
    Result(const Status& failure) : error_(failure.error()) {}  // NOLINT(google-explicit-constructor)

    explicit operator bool() const { return value_.has_value(); }
    const T& operator*() const { return *value_; }
    T& operator*() { return *value_; }
    const T* operator->() const { return &*value_; }
    const std::string& error() const { return error_; }
    Status status() const { return value_ ? Status::ok() : Status::fail(error_); }

  private:
    std::optional<T> value_;
    std::string error_;
};

}  // namespace kursomatik
