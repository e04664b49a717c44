#pragma once

#include <string>

namespace kursomatik {

// Causes that have no errno value of their own, for describeErrno and fileErrorMessage.
inline constexpr int kNotARegularFile = -1;
inline constexpr int kFileTooLarge = -2;

// German wording of an errno value, for messages that name a file and its problem.
std::string describeErrno(int error);

// "Die Datei „name“ kann nicht <action>: <cause>." — the one shape of every file error message.
std::string fileErrorMessage(const std::string& fileName, const std::string& action, int error);

}  // namespace kursomatik
