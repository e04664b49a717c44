// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateUpdate.h"

#include <algorithm>
#include <system_error>
#include <tuple>

#include "platform/FileOperations.h"
#include "platform/SystemError.h"

namespace kursomatik {
namespace {

// The kept answer's rates, when it came from this source: its first line names the source.
Result<ReferenceRates> keptRates(const RateSource& source, const std::filesystem::path& keptAnswer) {
    const auto kept = readRegularFile(keptAnswer, source.url.size() + 1 + kRateDownloadLimit);
    const std::string header = source.url + '\n';
    if (!kept || kept->compare(0, header.size(), header) != 0)
        return Status::fail("Die zuletzt geholte Kursdatei fehlt.", Cause::Missing);
    return parseReferenceRates(std::string_view(*kept).substr(header.size()), source.url);
}

}  // namespace

RateSource rateSourceOf(const SettingsState& settings) {
    RateSource source;
    if (!settings.sKursquelle.empty()) source.url = settings.sKursquelle;
    if (settings.iKurszeit > 0) source.seconds = settings.iKurszeit;
    source.caFile = settings.sKurszertifikate;
    source.etag = settings.sKursquelleEtag;
    source.lastModified = settings.sKursquelleStand;
    return source;
}

DownloadRequest updateRequest(const RateSource& source, const std::filesystem::path& keptAnswer,
                              const std::filesystem::path& table, const RegionalSettings& regional) {
    DownloadRequest request{source.url, source.seconds, source.caFile, {}, {}};
    if (source.etag.empty() && source.lastModified.empty()) return request;
    const auto kept = keptRates(source, keptAnswer);
    if (!kept) return request;
    const auto import = RateImport::prepare(*kept, source.url, table, regional);
    if (import && import->tableAfter(false) == import->tableBefore()) {
        request.etag = source.etag;
        request.lastModified = source.lastModified;
    }
    return request;
}

Result<RateImport> importAnswer(const DownloadAnswer& answer, const RateSource& source,
                                const std::filesystem::path& keptAnswer, const std::filesystem::path& table,
                                const RegionalSettings& regional) {
    auto rates =
        answer.notModified ? keptRates(source, keptAnswer) : parseReferenceRates(answer.body, source.url);
    if (!rates) {
        if (answer.notModified)
            return Status::fail(
                inQuotes(source.url) +
                " meldet keine Änderung, aber die zuletzt geholte Kursdatei ist nicht mehr da. "
                "Bitte noch einmal aktualisieren; die Tabelle wurde nicht geändert.");
        return Status::fail(rates.error() + " Die Tabelle wurde nicht geändert.");
    }
    return RateImport::prepare(*rates, source.url, table, regional);
}

Status keepAnswer(const DownloadAnswer& answer, const RateSource& source,
                  const std::filesystem::path& keptAnswer, SettingsState& settings,
                  const SettingsEnvironment& environment) {
    if (answer.notModified) return Status::ok();
    std::error_code unknown;
    std::filesystem::create_directories(keptAnswer.parent_path(), unknown);
    const bool kept = !keptAnswer.empty() && replaceFile(keptAnswer, source.url + '\n' + answer.body);
    for (auto [key, variable, value] :
         {std::tuple{"kursquelle_etag", &settings.sKursquelleEtag, answer.etag},
          {"kursquelle_stand", &settings.sKursquelleStand, answer.lastModified}}) {
        if (!kept) value.clear();
        if (value == *variable) continue;
        if (Status written = IniSchreiben(settings, environment, settings.sIniSektion, key, value, true);
            !written)
            return written;
        *variable = value;
    }
    return Status::ok();
}

ReferenceHistory answerDays(const DownloadAnswer& answer, const RateSource& source) {
    if (answer.notModified) return {};
    auto days = parseReferenceHistory(answer.body, source.url);
    return days ? std::move(*days) : ReferenceHistory{};
}

std::optional<DownloadRequest> topUpRequest(const RateSource& source, const std::optional<CivilDate>& newest,
                                            const ReferenceHistory& days) {
    if (days.empty() || (newest && daysBetween(*newest, newestDay(days).date) <= kTopUpGapDays))
        return std::nullopt;
    // The ECB keeps the 90-day file beside the daily one; a mirror named in kursquelle does the same.
    const std::size_t folder = source.url.rfind('/');
    if (folder == std::string::npos) return std::nullopt;
    return DownloadRequest{
        source.url.substr(0, folder + 1) + kNinetyDayFileName, source.seconds, source.caFile, {}, {}};
}

TopUp topUpOf(const Result<DownloadAnswer>& answer, const DownloadRequest& request,
              const std::optional<CivilDate>& newest, const ReferenceHistory& days,
              const RegionalSettings& regional, const std::string& howToImport) {
    const std::string rest = "bringt die Datei eurofxref-hist.zip der EZB (" + howToImport + ").";
    TopUp topUp;
    auto ninety =
        answer ? parseReferenceHistory(answer->body, request.url) : Result<ReferenceHistory>(answer.status());
    if (!ninety) {
        topUp.note = "Die Kurse der letzten " + std::to_string(kTopUpSpanDays) +
                     " Tage für den Kursverlauf ließen sich nicht holen: " + ninety.error() +
                     " Die fehlenden Tage " + rest;
        topUp.failed = true;
        return topUp;
    }
    const CivilDate reached = newestDay(*ninety).date;
    for (ReferenceRates& day : *ninety) {
        const bool fresh = std::none_of(days.begin(), days.end(),
                                        [&](const ReferenceRates& other) { return other.date == day.date; });
        if (fresh) topUp.days.push_back(std::move(day));
    }
    if (!newest) {
        topUp.note = "Der Kursverlauf war leer und hat jetzt die Kurse der letzten " +
                     std::to_string(kTopUpSpanDays) + " Tage; die Kurse seit 1999 " + rest;
    } else if (daysBetween(*newest, reached) > kTopUpSpanDays) {
        topUp.note = "Der Kursverlauf endete am " + formatShortDate(*newest, regional.shortDatePattern) +
                     "; die Tage danach, die mehr als " + std::to_string(kTopUpSpanDays) +
                     " Tage zurückliegen, " + rest;
    }
    return topUp;
}

}  // namespace kursomatik
