// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/SystemError.h"

namespace kursomatik::testsupport {

// Records the steps of a rewrite that tests look at (create, write, close, rename, truncate) and
// fails the one named with the given errno; the steps are the real ones otherwise. A failing write
// puts half of its bytes into the file first, as a disk that fills up does. `meanwhile` is what
// another program does while the new file is written.
class FailingStep : public FileOperations {
    using Ops = FileOperations;
    using Path = std::filesystem::path;

  public:
    FailingStep(std::string step = {}, int error = 0) : step_(std::move(step)), error_(error) {}
    std::vector<std::string> calls;
    std::function<void()> meanwhile;

    Result<int> createFile(const Path& f) override {
        return fails("createFile") ? Result<int>(failed()) : Ops::createFile(f);
    }
    Status writeAll(int d, std::string_view bytes) override {
        if (step_ == "writeAll") (void)Ops::writeAll(d, bytes.substr(0, bytes.size() / 2));
        return fails("writeAll") ? failed() : Ops::writeAll(d, bytes);
    }
    Status closeFile(int d) override {
        // The descriptor is closed even when closing reports an error, as close(2) does.
        Status real = Ops::closeFile(d);
        if (meanwhile) meanwhile();
        return fails("closeFile") ? failed() : real;
    }
    Status renameFile(const Path& a, const Path& b) override {
        return fails("renameFile") ? failed() : Ops::renameFile(a, b);
    }
    Status truncateFile(int d, off_t n) override {
        return fails("truncateFile") ? failed() : Ops::truncateFile(d, n);
    }

  private:
    bool fails(const char* step) {
        calls.push_back(step);
        return step_ == step;
    }
    Status failed() const { return systemFailure(error_); }
    std::string step_;
    int error_;
};

// Makes every write beyond the given file size fail, as a full disk does, while it lives. Unlike
// file permissions, the limit binds root too.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) : handler_(::signal(SIGXFSZ, SIG_IGN)) {
        ::getrlimit(RLIMIT_FSIZE, &old_);
        const rlimit small{bytes, old_.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &old_);
        ::signal(SIGXFSZ, handler_);
    }

  private:
    rlimit old_{};
    void (*handler_)(int);
};

}  // namespace kursomatik::testsupport
