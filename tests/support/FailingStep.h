// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/SystemError.h"

namespace kursomatik::testing {

// Records every step of a rewrite and fails the one named with the given errno; all others are the
// real ones. A failing write puts half of its bytes into the file first, as a disk that fills up
// does. `meanwhile` is what another program does while the new file is written.
class FailingStep : public FileOperations {
  public:
    FailingStep(std::string step = {}, int error = 0) : step_(std::move(step)), error_(error) {}
    std::vector<std::string> calls;
    std::function<void()> meanwhile;

    Status removeFile(const std::filesystem::path& f) override {
        return run("removeFile", [&] { return FileOperations::removeFile(f); });
    }
    Result<int> createFile(const std::filesystem::path& f) override {
        calls.push_back("createFile");
        if (step_ == "createFile") return systemFailure(error_);
        return FileOperations::createFile(f);
    }
    Status writeAll(int d, std::string_view bytes) override {
        if (step_ == "writeAll") (void)FileOperations::writeAll(d, bytes.substr(0, bytes.size() / 2));
        return run("writeAll", [&] { return FileOperations::writeAll(d, bytes); });
    }
    Status syncFile(int d) override {
        return run("syncFile", [&] { return FileOperations::syncFile(d); });
    }
    Status closeFile(int d) override {
        // The descriptor is closed even when closing reports an error, as close(2) does.
        Status real = FileOperations::closeFile(d);
        if (meanwhile) meanwhile();
        return run("closeFile", [&] { return real; });
    }
    Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return run("renameFile", [&] { return FileOperations::renameFile(from, to); });
    }
    Status syncFolder(const std::filesystem::path& f) override {
        return run("syncFolder", [&] { return FileOperations::syncFolder(f); });
    }
    Status truncateFile(int d, off_t length) override {
        return run("truncateFile", [&] { return FileOperations::truncateFile(d, length); });
    }

  private:
    template <class Real>
    Status run(const char* name, Real real) {
        calls.push_back(name);
        return step_ == name ? systemFailure(error_) : real();
    }
    std::string step_;
    int error_;
};

}  // namespace kursomatik::testing
