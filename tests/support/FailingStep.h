#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "FileOperations.h"
#include "SystemError.h"

namespace kursomatik::testing {

// One step of a rewrite fails with the given errno; all others are the real ones. A failing write
// puts half of its bytes into the file first, as a disk that fills up does.
class FailingStep : public FileOperations {
  public:
    FailingStep(std::string step, int error) : step_(std::move(step)), error_(error) {}
    Result<int> createFile(const std::filesystem::path& file) override {
        if (step_ == "createFile") return systemFailure(error_);
        return FileOperations::createFile(file);
    }
    Status writeAll(int descriptor, std::string_view bytes) override {
        if (step_ != "writeAll") return FileOperations::writeAll(descriptor, bytes);
        (void)FileOperations::writeAll(descriptor, bytes.substr(0, bytes.size() / 2));
        return systemFailure(error_);
    }
    Status renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return step_ == "renameFile" ? systemFailure(error_) : FileOperations::renameFile(from, to);
    }

  private:
    std::string step_;
    int error_;
};

}  // namespace kursomatik::testing
