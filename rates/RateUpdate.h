// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "rates/RateDownload.h"
#include "rates/RateImport.h"
#include "settings/Einstellungen.h"

namespace kursomatik {

// The update from the network, the same for the window and the command: a request, and the answer
// taken through exactly the file import. The last answer is kept (`keptAnswer`, in the user's cache
// folder) so that the next request can be conditional: the server then sends nothing while the file
// is unchanged, and "not modified" imports the kept answer again, which changes nothing.
struct RateSource {
    std::string url = kDefaultRateSource;     // kursquelle
    int seconds = kDefaultRateSourceSeconds;  // kurszeit
    std::string caFile;                       // kurszertifikate
    std::string etag;                         // kursquelle_etag, of the kept answer
    std::string lastModified;                 // kursquelle_stand, of the kept answer
};

// The source as the settings name it, with the defaults for what they leave out.
RateSource rateSourceOf(const SettingsState& settings);

// The request; the validators go with it only while the kept answer came from this source and the
// table still holds its rates (a table restored from a backup must get the file again).
DownloadRequest updateRequest(const RateSource& source, const std::filesystem::path& keptAnswer,
                              const std::filesystem::path& table, const RegionalSettings& regional);

// The import the answer leads to, planned as the file import plans one; messages name the source.
Result<RateImport> importAnswer(const DownloadAnswer& answer, const RateSource& source,
                                const std::filesystem::path& keptAnswer, const std::filesystem::path& table,
                                const RegionalSettings& regional);

// Every day of a fresh answer, for the rate history; none for "not modified" (nothing new) or an
// answer that is no rate file (its import fails anyway).
ReferenceHistory answerDays(const DownloadAnswer& answer, const RateSource& source);

// The rate history's top-up: where the newest day it holds lies more than kTopUpGapDays calendar days
// before the day of a fresh answer, the ECB's 90-day file from the source's folder brings the days
// between. An empty history gets those 90 days too: 30 kB, and --datum and the chart work at once.
inline constexpr int kTopUpGapDays = 4;
inline constexpr int kTopUpSpanDays = 90;
inline constexpr const char* kNinetyDayFileName = "eurofxref-hist-90d.xml";

// The request for the 90-day file, or none when the history needs none. `newest` is the history's
// newest day (none: it is empty), `days` the fresh answer's (none: nothing new, no top-up).
std::optional<DownloadRequest> topUpRequest(const RateSource& source, const std::optional<CivilDate>& newest,
                                            const ReferenceHistory& days);

// What the 90-day file brings: its days for the history (without those of the fresh answer's `days`,
// whose rates go in as the table got them), and a line for the summary where days are
// still missing (beyond its 90 days, or all of them when it could not be fetched). `howToImport` says
// how the user imports the ECB's history file, in the program or in the command.
struct TopUp {
    ReferenceHistory days;
    std::string note;
    bool failed = false;  // the file did not come, or is no rate file: the note says why
};
TopUp topUpOf(const Result<DownloadAnswer>& answer, const DownloadRequest& request,
              const std::optional<CivilDate>& newest, const ReferenceHistory& days,
              const RegionalSettings& regional, const std::string& howToImport);

// Keeps a new answer for the next request. A kept answer that cannot be written costs only the next
// request's condition, so it is no failure; settings that cannot be written are.
// The validators go into the settings (empty ones too: they belong to the kept answer only).
Status keepAnswer(const DownloadAnswer& answer, const RateSource& source,
                  const std::filesystem::path& keptAnswer, SettingsState& settings,
                  const SettingsEnvironment& environment);

}  // namespace kursomatik
