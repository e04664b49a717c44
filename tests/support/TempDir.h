// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

namespace kursomatik::testsupport {

// A fresh temporary folder, made the current directory while the object lives (the currency file
// is opened by name in the current directory), removed with everything in it afterwards.
class TempDir {
  public:
    TempDir();
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

  private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

std::string readFile(const std::filesystem::path& file);
void writeFile(const std::filesystem::path& file, const std::string& bytes);

// A shell command line's exit status, stdout and stderr (which goes through the file "err" in `dir`).
struct Ran {
    int status;
    std::string out, err;
};
Ran runShell(const TempDir& dir, const std::string& command);

}  // namespace kursomatik::testsupport
