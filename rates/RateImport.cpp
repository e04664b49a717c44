// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/RateImport.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "rates/CurrencyNames.h"
#include "store/Compaction.h"
#include "store/CurrencyRecord.h"
#include "store/RateAge.h"
#include "store/RecordFile.h"

namespace kursomatik {
namespace {

const char* const kNothingChanged = " Die Tabelle wurde nicht geändert.";

// Puts the new Kurs and Datum into the bytes of a record; its other fields keep their bytes.
void patchRecord(std::string& table, std::size_t record, const std::string& kurs, const std::string& datum) {
    const std::size_t start = record * kRecordLength;
    CurrencyRecord fields = decodeRecord(std::string_view(table).substr(start, kRecordLength));
    storeField(fields, &CurrencyRecord::Kurs, kurs);
    storeField(fields, &CurrencyRecord::Datum, datum);
    const std::string bytes = encodeRecord(fields);
    for (const auto& layout : {kFieldLayout[2], kFieldLayout[4]})
        table.replace(start + layout.offset, layout.width, bytes, layout.offset, layout.width);
}

// Whether the record already holds that Kurs and Datum, byte for byte as the import would write them.
bool holdsAlready(const std::string& table, std::size_t record, const std::string& kurs,
                  const std::string& datum) {
    const std::string before = table.substr(record * kRecordLength, kRecordLength);
    std::string after = before;
    patchRecord(after, 0, kurs, datum);
    return after == before;
}

std::string counted(int count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? " und " : ", ";
        text += items[i];
    }
    return text;
}

}  // namespace

std::string summaryText(const ImportSummary& summary) {
    const std::string unchanged = counted(summary.unchanged, "Kurs unverändert", "Kurse unverändert");
    std::string text;
    if (!summary.changedTable()) {
        text = "Keine neuen Kurse: " + unchanged;
    } else {
        text = "Referenzkurse vom " + summary.date + ": " +
               counted(summary.updated, "Kurs aktualisiert", "Kurse aktualisiert");
        if (summary.unchanged > 0) text += ", " + unchanged;
    }
    if (summary.added > 0) text += ", " + counted(summary.added, "Währung neu", "Währungen neu");
    if (summary.fixedKept > 0)
        text += ", " + counted(summary.fixedKept, "Festkurs beibehalten", "Festkurse beibehalten");
    if (summary.newerKept > 0)
        text += ", " + counted(summary.newerKept, "neuerer Kurs beibehalten", "neuere Kurse beibehalten");
    return text + ".";
}

Result<RateImport> RateImport::prepare(const std::filesystem::path& referenceFile,
                                       const std::filesystem::path& table, const RegionalSettings& regional,
                                       ReferenceHistory* days) {
    auto read = readReferenceHistory(referenceFile);
    if (!read) return Status::fail(read.error() + kNothingChanged);
    auto import = prepare(newestDay(*read), referenceFile.string(), table, regional);
    if (import && days != nullptr) *days = std::move(*read);
    return import;
}

Result<RateImport> RateImport::prepare(const ReferenceRates& rates, const std::string& referenceName,
                                       const std::filesystem::path& table, const RegionalSettings& regional) {
    RateImport import;
    import.table_ = table;
    std::error_code error;
    if (!std::filesystem::exists(table, error))
        return fileError(table.string(), "gelesen werden", systemFailure(ENOENT));
    auto bytes = readWholeFile(table);
    if (!bytes) return bytes.status();
    import.read_ = std::move(*bytes);
    if (Status planned = import.plan(rates, referenceName, regional); !planned)
        return Status::fail(planned.error() + kNothingChanged);
    return import;
}

Status RateImport::plan(const ReferenceRates& rates, const std::string& referenceName,
                        const RegionalSettings& regional) {
    datum_ = formatShortDate(rates.date, regional.shortDatePattern);
    counts_.date = datum_;
    if (const CivilDate today = regional.currentDate(); daysBetween(today, rates.date) > 1) {
        return Status::fail(fileNamed(referenceName) + " kann nicht importiert werden: Ihre Kurse sind vom " +
                            datum_ + ", heute ist aber erst der " +
                            formatShortDate(today, regional.shortDatePattern) + ".");
    }
    std::unordered_map<std::string, std::string> kurse;
    for (const auto& rate : rates.rates) {
        const auto kurs = encodeRate(rate.rate.toDouble(), regional);
        if (!kurs)
            return Status::fail(fileNamed(referenceName) + " kann nicht importiert werden: " + rate.code +
                                ": " + kurs.error());
        kurse.emplace(rate.code, *kurs);
    }
    // Whole records, as the table is read everywhere: a fragment at the end is padded or dropped.
    const long count = recordsOfLength(static_cast<long long>(read_.size()));
    records_ = read_;
    records_.resize(static_cast<std::size_t>(count) * kRecordLength, ' ');

    std::unordered_set<std::string> inTable;
    std::vector<std::pair<CivilDate, std::string>> newerDates;
    for (std::size_t n = 0; n < static_cast<std::size_t>(count); ++n) {
        const CurrencyRecord record =
            decodeRecord(std::string_view(records_).substr(n * kRecordLength, kRecordLength));
        const std::string code = utf8::toUpper(fieldValue(record.ISO));
        const auto kurs = kurse.find(code);
        if (kurs == kurse.end()) continue;
        inTable.insert(code);
        if (fieldValue(record.EWWU) == "1") {
            ++counts_.fixedKept;
            continue;
        }
        const auto date = rateDate(record, regional);
        if (date && *date > rates.date) {
            newer_.push_back({n, kurs->second});
            newerDates.emplace_back(*date, fieldValue(record.Datum));
        } else if (holdsAlready(records_, n, kurs->second, datum_)) {
            ++counts_.unchanged;
        } else {
            updates_.push_back({n, kurs->second});
        }
    }
    std::sort(newerDates.begin(), newerDates.end());
    newerDates.erase(std::unique(newerDates.begin(), newerDates.end(),
                                 [](const auto& a, const auto& b) { return a.first == b.first; }),
                     newerDates.end());
    for (auto& [key, text] : newerDates) newerDates_.push_back(std::move(text));

    for (const auto& rate : rates.rates) {
        if (inTable.contains(rate.code)) continue;
        CurrencyRecord record;
        storeField(record, &CurrencyRecord::Bezeichnung, germanCurrencyName(rate.code));
        storeField(record, &CurrencyRecord::ISO, rate.code);
        storeField(record, &CurrencyRecord::Kurs, kurse[rate.code]);
        storeField(record, &CurrencyRecord::EWWU, "0");
        storeField(record, &CurrencyRecord::Datum, datum_);
        additions_ += encodeRecord(record);
        ++counts_.added;
    }
    if (count + counts_.added > kMaxRecords) {
        return Status::fail(fileNamed(table_.string()) + " hat " + std::to_string(count) +
                            " Währungen; mit den " + std::to_string(counts_.added) + " neuen aus " +
                            inQuotes(referenceName) + " wären es mehr als die " +
                            std::to_string(kMaxRecords) + ", die sie fassen kann.");
    }
    return Status::ok();
}

std::string RateImport::newerQuestion() const {
    if (newer_.empty()) return {};
    const bool one = newer_.size() == 1;
    return "Die Tabelle hat " + std::to_string(newer_.size()) +
           (one ? " Kurs, der neuer ist" : " Kurse, die neuer sind") + " als die Referenzkurse vom " +
           datum_ + " (vom " + listed(newerDates_) + "). " + (one ? "Soll er" : "Sollen sie") +
           " überschrieben werden?";
}

Status RateImport::unchangedSinceRead() const {
    const auto now = readWholeFile(table_);
    if (now && *now == read_) return Status::ok();
    return Status::fail(fileNamed(table_.string()) +
                        " wurde von einem anderen Programm geändert, seit sie gelesen wurde.");
}

std::string RateImport::tableAfter(bool overwriteNewer) const {
    std::string table = records_;
    for (const auto& change : updates_) patchRecord(table, change.record, change.kurs, datum_);
    if (overwriteNewer) {
        for (const auto& change : newer_) patchRecord(table, change.record, change.kurs, datum_);
    }
    return table + additions_;
}

Result<ImportSummary> RateImport::apply(bool overwriteNewer, FileOperations& files) const {
    ImportSummary summary = counts_;
    summary.updated = static_cast<int>(updates_.size() + (overwriteNewer ? newer_.size() : 0));
    summary.newerKept = overwriteNewer ? 0 : static_cast<int>(newer_.size());
    if (!summary.changedTable()) return summary;
    const std::string table = tableAfter(overwriteNewer);
    if (Status same = unchangedSinceRead(); !same) return Status::fail(same.error() + kNothingChanged);
    const auto unchanged = [this] { return unchangedSinceRead(); };
    if (Status replaced = replaceFile(table_, table, files, kTemporaryFileName, unchanged); !replaced)
        return Status::fail(replaced.error() + kNothingChanged);
    return summary;
}

}  // namespace kursomatik
