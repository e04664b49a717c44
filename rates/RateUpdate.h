// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
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

// Keeps a new answer for the next request. A kept answer that cannot be written costs only the next
// request's condition, so it is no failure; settings that cannot be written are.
// The validators go into the settings (empty ones too: they belong to the kept answer only).
Status keepAnswer(const DownloadAnswer& answer, const RateSource& source,
                  const std::filesystem::path& keptAnswer, SettingsState& settings,
                  const SettingsEnvironment& environment);

}  // namespace kursomatik
