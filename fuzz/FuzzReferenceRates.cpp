// SPDX-License-Identifier: GPL-3.0-or-later
// Reference-rate files of arbitrary bytes through the real readers (XML, CSV, zip) and, when they are
// read, through the merge into a small table and its rewrite. A refused file is refused with a
// message naming it; read rates are valid; every one of them ends up updated, unchanged, kept or
// added once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/FuzzCheck.h"
#include "fuzz/FuzzWorkFolder.h"
#include "rates/RateImport.h"
#include "store/RecordFile.h"

using namespace kursomatik;

namespace {

std::string record(const std::string& iso, const std::string& ewwu) {
    CurrencyRecord record;
    storeField(record, &CurrencyRecord::ISO, iso);
    storeField(record, &CurrencyRecord::Kurs, "1000000");
    storeField(record, &CurrencyRecord::EWWU, ewwu);
    storeField(record, &CurrencyRecord::Datum, "01.01.2000");
    return encodeRecord(record);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto rates = parseReferenceRates(bytes, "kurse");
    if (!rates) {
        FUZZ_CHECK(rates.error().starts_with("Die Datei \u201Ekurse\u201C "));
        return 0;
    }
    const CivilDate date = rates->date;
    FUZZ_CHECK(date.month >= 1 && date.month <= 12 && date.day >= 1 && date.day <= 31);
    for (const auto& [code, rate] : rates->rates) {
        FUZZ_CHECK(code.size() == 3 && !rate.negative && !rate.isZero());
        FUZZ_CHECK(code.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZ") == std::string::npos);
    }

    const std::filesystem::path table = fuzzWorkFolder() / kCurrencyFileName;
    const std::string old = record("DEM", "1") + record("USD", "0") + record("GBP", "0");
    writeWholeFile(table, old);
    const auto import = RateImport::prepare(*rates, "kurse", table, RegionalSettings::german());
    if (!import) {
        // A rate beyond the Kurs field, or a day after tomorrow.
        FUZZ_CHECK(import.error().find("zu gro\u00DF") != std::string::npos ||
                   import.error().find("heute ist aber erst") != std::string::npos);
        return 0;
    }
    const auto done = import->apply(true);
    FUZZ_CHECK(done);
    FUZZ_CHECK(static_cast<std::size_t>(done->updated + done->unchanged + done->fixedKept + done->added) ==
               rates->rates.size());
    const std::string now = fileBytes(table);
    FUZZ_CHECK(now.size() == (3 + static_cast<std::size_t>(done->added)) * kRecordLength);
    FUZZ_CHECK(now.substr(0, kRecordLength) == old.substr(0, kRecordLength));  // the member stays
    return 0;
}
