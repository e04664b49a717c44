#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

#include "FileOperations.h"

namespace kursomatik::testing {

// One step of a rewrite fails with the given errno; all others are the real ones. A failing write
// puts half of its bytes into the file first, as a disk that fills up does.
class FailingStep : public FileOperations {
  public:
    FailingStep(std::string step, int error) : step_(std::move(step)), error_(error) {}
    int createFile(const std::filesystem::path& file, int& descriptor) override {
        return step_ == "createFile" ? error_ : FileOperations::createFile(file, descriptor);
    }
    int writeAll(int descriptor, std::string_view bytes) override {
        if (step_ != "writeAll") return FileOperations::writeAll(descriptor, bytes);
        (void)FileOperations::writeAll(descriptor, bytes.substr(0, bytes.size() / 2));
        return error_;
    }
    int renameFile(const std::filesystem::path& from, const std::filesystem::path& to) override {
        return step_ == "renameFile" ? error_ : FileOperations::renameFile(from, to);
    }

  private:
    std::string step_;
    int error_;
};

}  // namespace kursomatik::testing
