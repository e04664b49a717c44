// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/FileOperations.h"
#include "platform/RegionalSettings.h"
#include "platform/Result.h"
#include "rates/ReferenceRates.h"

namespace kursomatik {

// What an import did, for the message after it.
struct ImportSummary {
    std::string date;   // the file's day as the table writes dates
    int updated = 0;    // records of other currencies whose Kurs or Datum the file's rate changed
    int added = 0;      // currencies of the file that had no record and got one
    int fixedKept = 0;  // member records with a code of the file: fixed rates are never changed
    int newerKept = 0;  // records whose rate is newer than the file's and was not overwritten
    int unchanged = 0;  // records of other currencies that held the file's rate and day already

    // Whether the table was rewritten: nothing updated (overwritten newer rates count as updated)
    // and nothing added leaves it as it was.
    bool changedTable() const { return updated > 0 || added > 0; }
};

// "Referenzkurse vom 28.06.2024: 11 Kurse aktualisiert, 19 Währungen neu, 1 Festkurs beibehalten.";
// when the table stayed as it was, "Keine neuen Kurse: 30 Kurse unverändert." with the kept ones after.
std::string summaryText(const ImportSummary& summary);

// The import of a reference-rate file into the currency table, in two steps so that a window can
// ask in between whether rates newer than the file's may be overwritten (a command decides by an
// option). prepare reads the file and the table and changes nothing; apply writes the new table in
// one atomic replacement. Every failure leaves the table as it was, and its message says why.
class RateImport {
  public:
    // Reads the reference file and the table (which must exist), and plans the change. Dates in the
    // table are read, and the file's date is written, by the regional short-date pattern. Rates dated
    // after tomorrow (a day of clock skew between the ECB and us) are refused: no clock is that wrong.
    // `days`, where given, receives every day of the file (for the rate history).
    static Result<RateImport> prepare(const std::filesystem::path& referenceFile,
                                      const std::filesystem::path& table, const RegionalSettings& regional,
                                      ReferenceHistory* days = nullptr);
    // The same with rates read already; `referenceName` names their file in messages.
    static Result<RateImport> prepare(const ReferenceRates& rates, const std::string& referenceName,
                                      const std::filesystem::path& table, const RegionalSettings& regional);

    // How many records of other currencies hold a rate dated after the file's day.
    std::size_t newerCount() const { return newer_.size(); }
    // The question whether to overwrite them, naming their dates (each once, oldest first); empty
    // when there are none.
    std::string newerQuestion() const;

    // The table's bytes as prepare read them (in whole records), and as apply writes them. The import
    // only appends records, so every record keeps its number (see listOrder in store/CurrencyLists.h).
    const std::string& tableBefore() const { return records_; }
    std::string tableAfter(bool overwriteNewer) const;

    // Writes the table: rates newer than the file's are overwritten only when asked to. The table
    // must still be as prepare read it; when another program has changed it since, nothing is written.
    // When the file changes no record and adds none, the table is not rewritten at all (a nightly job
    // importing the same file again leaves its modification time).
    Result<ImportSummary> apply(bool overwriteNewer, FileOperations& files = systemFileOperations()) const;

  private:
    struct Change {
        std::size_t record;  // from 0
        std::string kurs;
    };

    RateImport() = default;
    Status plan(const ReferenceRates& rates, const std::string& referenceName,
                const RegionalSettings& regional);
    Status unchangedSinceRead() const;

    std::filesystem::path table_;
    std::string datum_;    // the file's day as Datum text
    std::string read_;     // the table's bytes as read
    std::string records_;  // the same, cut or padded to whole records
    std::vector<Change> updates_;
    std::vector<Change> newer_;
    std::vector<std::string> newerDates_;
    std::string additions_;  // the new records' bytes
    ImportSummary counts_;
};

}  // namespace kursomatik
