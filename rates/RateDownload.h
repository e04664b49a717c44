// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>

#include "platform/Result.h"

namespace kursomatik {

// The ECB's daily reference rates, the source unless the settings name another ("kursquelle").
inline constexpr const char* kDefaultRateSource =
    "https://www.ecb.europa.eu/stats/eurofxref/eurofxref-daily.xml";
// A request takes at most this long in all ("kurszeit", seconds) and reads at most this much: the
// daily file is 2 kB, the 90-day file under 30 kB.
inline constexpr int kDefaultRateSourceSeconds = 20;
inline constexpr std::size_t kRateDownloadLimit = std::size_t{2} << 20;

struct DownloadRequest {
    std::string url;
    int seconds = kDefaultRateSourceSeconds;
    std::string caFile;  // PEM certificates trusted beside the system's; empty for none
    // The validators of an earlier answer, sent so that an unchanged file is not sent again.
    std::string etag;
    std::string lastModified;
};

struct DownloadAnswer {
    bool notModified = false;  // 304: the earlier answer still holds
    std::string body;
    std::string etag;
    std::string lastModified;
};

// One request at a time, answered from the event loop of the thread that started it. The Qt Network
// part lies in a module of its own that the program loads at the first request, so that a start
// without one never maps the network libraries.
class RateDownload {
  public:
    using Progress = std::function<void(long long received, long long total)>;  // total -1: unknown
    using Done = std::function<void(Result<DownloadAnswer>)>;

    virtual ~RateDownload() = default;
    // Calls done exactly once, with the answer or a German message naming the cause; never before
    // start returns.
    virtual void start(const DownloadRequest& request, Progress progress, Done done) = 0;
    // Ends a running request at once; done is not called for it.
    virtual void cancel() = 0;
};

// The module's one entry.
using CreateRateDownload = RateDownload* (*)();
inline constexpr const char* kRateDownloadModule = "kursomatik-netz.so";
inline constexpr const char* kRateDownloadEntry = "kursomatikCreateRateDownload";

}  // namespace kursomatik
