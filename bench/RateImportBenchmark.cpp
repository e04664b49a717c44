// SPDX-License-Identifier: GPL-3.0-or-later
// The import of a full history of reference rates (every working day since 1999, the ECB's 41
// currencies, a few megabytes) as CSV, .zip and XML: reading alone, and reading, merging and the
// atomic rewrite of the table together. Goal: well under a second.
// Run: build/benchmarks/bin/bench_rate_import (configure with -DKURSOMATIK_BENCHMARKS=ON).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "rates/RateImport.h"
#include "store/CurrencyRecord.h"
#include "store/RecordFile.h"
#include "tests/rates/HistoryFiles.h"
#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::historyCsv;
using testsupport::kCodes;
using testsupport::rateOf;
using testsupport::workingDays;

// The same history as the ECB's XML file.
std::string historyXml() {
    std::string text =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gesmes:Envelope "
        "xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\">\n<Cube>\n";
    const auto days = workingDays();
    for (std::size_t d = 0; d < days.size(); ++d) {
        text += "<Cube time=\"" + formatShortDate(days[d], "yyyy-MM-dd") + "\">";
        for (std::size_t c = 0; c < kCodes.size(); ++c) {
            const std::string rate = rateOf(c, d);
            if (rate != "N/A") text += "<Cube currency=\"" + kCodes[c] + "\" rate=\"" + rate + "\"/>";
        }
        text += "</Cube>\n";
    }
    return text + "</Cube>\n</gesmes:Envelope>\n";
}

// The shipped kind of table: the ECB's currencies as other currencies, and a few members.
std::string table() {
    std::string bytes;
    for (const auto& code : kCodes) {
        CurrencyRecord record;
        storeField(record, &CurrencyRecord::Bezeichnung, "Währung " + code);
        storeField(record, &CurrencyRecord::ISO, code);
        storeField(record, &CurrencyRecord::Kurs, "1000000");
        storeField(record, &CurrencyRecord::EWWU, code == "CYP" || code == "HRK" ? "1" : "0");
        storeField(record, &CurrencyRecord::Datum, "01.01.2020");
        bytes += encodeRecord(record);
    }
    return bytes;
}

struct Files {
    Files() {
        const std::string csv = historyCsv();
        testsupport::writeFile(dir / "eurofxref-hist.csv", csv);
        testsupport::writeZip(dir / "eurofxref-hist.zip", {{"eurofxref-hist.csv", csv}});
        testsupport::writeFile(dir / "eurofxref-hist.xml", historyXml());
    }
    std::filesystem::path file(int format) const {
        return dir / (format == 0   ? "eurofxref-hist.csv"
                      : format == 1 ? "eurofxref-hist.zip"
                                    : "eurofxref-hist.xml");
    }
    testsupport::TempDir dir;
};

void ReadHistory(benchmark::State& s) {
    Files files;
    for (auto _ : s) {
        const auto rates = readReferenceRates(files.file(static_cast<int>(s.range(0))));
        if (!rates || rates->rates.empty()) s.SkipWithError("not read");
    }
    s.counters["MB"] =
        static_cast<double>(std::filesystem::file_size(files.file(static_cast<int>(s.range(0))))) / 1e6;
}
BENCHMARK(ReadHistory)->ArgName("csv0_zip1_xml2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void ImportHistory(benchmark::State& s) {
    Files files;
    const RegionalSettings german = RegionalSettings::german();
    for (auto _ : s) {
        s.PauseTiming();
        testsupport::writeFile(files.dir / kCurrencyFileName, table());
        s.ResumeTiming();
        const auto import = RateImport::prepare(files.file(static_cast<int>(s.range(0))),
                                                files.dir / kCurrencyFileName, german);
        const auto done = import ? import->apply(true) : import.status();
        if (!done || done->updated + done->fixedKept != 38)
            s.SkipWithError(done ? summaryText(*done).c_str() : done.error().c_str());
    }
}
BENCHMARK(ImportHistory)->ArgName("csv0_zip1_xml2")->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace kursomatik

BENCHMARK_MAIN();
