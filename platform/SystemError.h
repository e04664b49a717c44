#pragma once

#include <string>

namespace kursomatik {

// German wording of an errno value, for messages that name a file and its problem.
std::string describeErrno(int error);

// "Die Datei „name“ kann nicht <action>: <cause>." — the one shape of every file error message.
std::string fileErrorMessage(const std::string& fileName, const std::string& action, int error);

}  // namespace kursomatik
