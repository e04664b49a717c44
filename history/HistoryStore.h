// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/DecimalNumber.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "rates/ReferenceRates.h"

struct sqlite3;

namespace kursomatik {

// One stored rate: units per Euro on a day of publication.
struct StoredRate {
    CivilDate day;
    DecimalNumber rate;
};

// What an import added to the history, for the line after the table's summary.
struct HistoryImportSummary {
    long days = 0;           // days of the file with at least one rate
    long added = 0;          // rates the history did not hold yet
    long newCurrencies = 0;  // codes of which it held no rate at all
    long differing = 0;      // rates of stored days that differ from the stored ones: kept as stored
    std::string code;        // the first of those: its code, day and both rates
    CivilDate day;
    DecimalNumber stored;
    DecimalNumber offered;
};

// "Kursverlauf: 6.912 Tage, 283.392 Kurse neu, 41 Währungen neu; 0 abweichende Kurse nicht übernommen."
// with the first differing rate named, in the regional conventions.
std::string historySummaryText(const HistoryImportSummary& summary, const RegionalSettings& regional);

// Every day of an imported file into the history `file`, after the table: the line for the summary,
// or the failure's message ending in "Die Tabelle ist übernommen, der Kursverlauf nicht.". `notice`
// receives the message about a damaged file moved aside, if any.
Result<std::string> importIntoHistory(const ReferenceHistory& days, const std::filesystem::path& file,
                                      const RegionalSettings& regional, std::string& notice);

// The rate history KURSVERLAUF.DB, an SQLite file of (code, day, rate). A file that is no SQLite
// database or fails its integrity check is renamed with ".defekt" appended, and notice() says so; an
// import then starts a new history. Failures are German messages naming the file.
class HistoryStore {
  public:
    // For reading: a missing file is an empty history, and none is made.
    static Result<HistoryStore> openForReading(const std::filesystem::path& file);
    // For an import: the file is made when missing, and checked whole before anything is written.
    static Result<HistoryStore> openForImport(const std::filesystem::path& file);

    HistoryStore(HistoryStore&&) noexcept;
    HistoryStore& operator=(HistoryStore&&) noexcept;
    ~HistoryStore();

    // Every day of the file in one transaction: a kill leaves the history as it was or holds them all.
    // A stored day's rate is never changed; a different one is counted.
    Result<HistoryImportSummary> import(const ReferenceHistory& days);

    // The newest rate of `code` on or before `day`; empty when there is none.
    Result<std::optional<StoredRate>> lastOnOrBefore(std::string_view code, const CivilDate& day) const;
    // The first and the last stored day of `code`; empty when the history holds none of it.
    Result<std::optional<std::pair<CivilDate, CivilDate>>> span(std::string_view code) const;
    // Every rate of `code` from `from` to `to`, both included, oldest first.
    Result<std::vector<StoredRate>> series(std::string_view code, const CivilDate& from,
                                           const CivilDate& to) const;
    // Whether the history holds no rate at all.
    bool empty() const;
    // The newest day of any rate; empty when the history holds none.
    Result<std::optional<CivilDate>> newestDay() const;

    const std::filesystem::path& file() const { return file_; }
    // The message about a broken file moved aside on opening; empty otherwise.
    const std::string& notice() const { return notice_; }

  private:
    struct Close {
        void operator()(sqlite3* db) const;
    };
    explicit HistoryStore(std::filesystem::path file) : file_(std::move(file)) {}
    Status open(bool forImport);
    Status failure(const std::string& action) const;

    std::filesystem::path file_;
    std::unique_ptr<sqlite3, Close> db_;  // none: no history file to read
    std::string notice_;
};

}  // namespace kursomatik
