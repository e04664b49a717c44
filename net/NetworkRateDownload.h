// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "rates/RateDownload.h"

namespace kursomatik {

// The download through Qt Network: https with the certificate checked (plain http only to this
// machine), redirects to https only, the system's proxy, the size and time limits.
std::unique_ptr<RateDownload> networkRateDownload();

// The same, waiting for the answer in an event loop of its own; for the command.
Result<DownloadAnswer> downloadNow(const DownloadRequest& request);

}  // namespace kursomatik
