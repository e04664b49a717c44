// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>

#include "platform/Result.h"

namespace kursomatik {

// Causes that have no errno value of their own, for describeErrno and systemFailure.
inline constexpr int kNotARegularFile = -1;
inline constexpr int kFileTooLarge = -2;

// German wording of an errno value, for messages that name a file and its problem.
std::string describeErrno(int error);

// A failed system call: its cause in German, which fileError puts into the message.
Status systemFailure(int error);
// errno as a failure, or success.
Status systemCall(bool succeeded);

// „name“: how every message names a file, a folder or a text the user gave; characters a terminal
// or a message box would not show as themselves become '?'.
std::string inQuotes(const std::filesystem::path& name);
// "Die Datei „name“"
std::string fileNamed(const std::string& fileName);
// "Die Datei „name“ kann nicht <action>: <cause>." — the one shape of every file error message.
Status fileError(const std::string& fileName, const std::string& action, const Status& cause);

}  // namespace kursomatik
