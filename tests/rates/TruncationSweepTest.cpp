// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <tuple>

#include "rates/ReferenceRates.h"
#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace chr = std::chrono;

// (day, code, rate as the file writes it)
using Triple = std::tuple<std::string, std::string, std::string>;

// A history of working days, newest first, with currencies that come and go ("N/A") and rates of
// many digits, the last of each line included, so that a cut inside a number still reads as one.
struct History {
    std::vector<std::string> codes{"USD", "JPY", "CYP", "HRK", "TRY", "ZAR"};
    std::vector<std::string> days;                  // yyyy-MM-dd
    std::vector<std::vector<std::string>> rates;    // per day, per code; "N/A" where none
    std::map<std::string, std::set<Triple>> byDay;  // what the whole file holds

    explicit History(int count) {
        chr::sys_days day = chr::sys_days(chr::year{2024} / 6 / 28);
        for (int d = 0; d < count; day -= chr::days{1}) {
            if (chr::weekday(day) == chr::Saturday || chr::weekday(day) == chr::Sunday) continue;
            const chr::year_month_day ymd(day);
            char text[16];
            std::snprintf(text, sizeof text, "%04d-%02u-%02u", static_cast<int>(ymd.year()),
                          static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
            days.emplace_back(text);
            std::vector<std::string> row;
            for (std::size_t c = 0; c < codes.size(); ++c) {
                // CYP only in the oldest days, HRK gone in the newest, TRY missing now and then.
                const bool none =
                    (c == 2 && d < count * 2 / 3) || (c == 3 && d < 40) || (c == 4 && d % 17 == 5);
                char rate[32];
                std::snprintf(rate, sizeof rate, "%.4f",
                              (c + 1) * 3.7 + (d * 7919 + c * 104729) % 10007 / 997.0);
                row.emplace_back(none ? "N/A" : rate);
                if (!none) byDay[text].insert({text, codes[c], row.back()});
            }
            rates.push_back(std::move(row));
            ++d;
        }
    }

    std::string csv() const {
        std::string text = "Date,";
        for (const auto& code : codes) text += code + ",";
        text += "\n";
        for (std::size_t d = 0; d < days.size(); ++d) {
            text += days[d] + ",";
            for (const auto& rate : rates[d]) text += rate + ",";
            text += "\n";
        }
        return text;
    }
    // As the ECB writes it, with "28 June 2024" and blanks after the commas; currencies without a
    // rate that day are left out.
    std::string dailyCsv(const std::string& lineEnd) const {
        std::string header = "Date";
        std::string row = "28 June 2024";
        for (std::size_t c = 0; c < codes.size(); ++c) {
            if (rates[0][c] == "N/A") continue;
            header += ", " + codes[c];
            row += ", " + rates[0][c];
        }
        return header + ", " + lineEnd + row + ", " + lineEnd;
    }
    std::string xml(std::size_t dayCount) const {
        std::string text =
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<gesmes:Envelope xmlns:gesmes=\"http://www.gesmes.org/xml/2002-08-01\" "
            "xmlns=\"http://www.ecb.int/vocabulary/2002-08-01/eurofxref\">\n"
            "\t<gesmes:subject>Reference rates</gesmes:subject>\n\t<Cube>\n";
        for (std::size_t d = 0; d < dayCount; ++d) {
            text += "\t\t<Cube time=\"" + days[d] + "\">\n";
            for (std::size_t c = 0; c < codes.size(); ++c) {
                if (rates[d][c] != "N/A")
                    text += "\t\t\t<Cube currency=\"" + codes[c] + "\" rate=\"" + rates[d][c] + "\"/>\n";
            }
            text += "\t\t</Cube>\n";
        }
        return text + "\t</Cube>\n</gesmes:Envelope>\n";
    }
};

// What a reading gave, by day. The reader gives the newest day; more days would go in here too.
std::map<std::string, std::set<Triple>> daysOf(const ReferenceRates& rates) {
    std::map<std::string, std::set<Triple>> days;
    const std::string day = formatShortDate(rates.date, "yyyy-MM-dd");
    for (const auto& [code, rate] : rates.rates) {
        // The rate back in the file's form: four decimals, as the history writes every rate.
        char text[32];
        std::snprintf(text, sizeof text, "%.4f", rate.toDouble());
        days[day].insert({day, code, text});
    }
    return days;
}

std::string zipped(const std::string& name, const std::string& bytes) {
    testsupport::TempDir dir;
    testsupport::writeZip(dir / "kurse.zip", {{name, bytes}});
    return testsupport::readFile(dir / "kurse.zip");
}

// Every offset of a small file. Of a big one every 97th, the last 64, and around the line ends
// between days (in the XML the line ends of single rates are left out, for time): in the last value,
// before the line end, right after it.
std::set<std::size_t> cutsOf(const std::string& bytes) {
    std::set<std::size_t> cuts;
    if (bytes.size() < 4000) {
        for (std::size_t cut = 0; cut <= bytes.size(); ++cut) cuts.insert(cut);
        return cuts;
    }
    for (std::size_t cut = 0; cut <= bytes.size(); cut += 97) cuts.insert(cut);
    for (std::size_t cut = bytes.size() - 64; cut <= bytes.size(); ++cut) cuts.insert(cut);
    for (std::size_t start = 0, end; (end = bytes.find('\n', start)) != std::string::npos; start = end + 1) {
        if (bytes.substr(start, end - start).find("currency=") != std::string::npos) continue;
        for (const std::size_t cut : {end - 1, end, end + 1}) cuts.insert(cut);
    }
    return cuts;
}

TEST(TruncationSweep, AFileCutAnywhereIsRefusedOrGivesOnlyWhatTheWholeFileHoldsForItsWholeDays) {
    const History history(300);
    const std::string csv = history.csv();
    const std::string xml = history.xml(150);  // half the days: the XML reader is slower
    const std::string dailyXml = history.xml(1);
    const std::string dailyCsv = history.dailyCsv("\n");
    const std::string dailyCrLf = history.dailyCsv("\r\n");
    struct Format {
        const char* name;
        std::string bytes;
        // Every cut from here on is the whole file without some trailing blanks: an XML file up to
        // its closing tag; a CSV or a .zip only whole (0).
        std::size_t wholeFrom;
        // A history CSV cut at a line end from here on (after its first day) holds whole days.
        std::size_t wholeDaysFrom = 0;
    };
    const auto lineEndAfter = [](const std::string& text, int lines) {
        std::size_t end = 0;
        for (int n = 0; n < lines; ++n) end = text.find('\n', end) + 1;
        return end;
    };
    const auto rootEnd = [](const std::string& text) { return text.rfind('>') + 1; };
    const std::vector<Format> formats{
        {"hist.csv", csv, 0, lineEndAfter(csv, 2)},
        {"hist.xml", xml, rootEnd(xml)},
        {"daily.csv", dailyCsv, 0},
        {"daily-crlf.csv", dailyCrLf, 0},
        {"daily.xml", dailyXml, rootEnd(dailyXml)},
        {"hist.csv.zip", zipped("eurofxref-hist.csv", csv), 0},
        {"hist.xml.zip", zipped("eurofxref-hist.xml", xml), 0},
        {"daily.csv.zip", zipped("eurofxref.csv", dailyCsv), 0},
        {"daily.xml.zip", zipped("eurofxref-daily.xml", dailyXml), 0},
    };
    for (const Format& format : formats) {
        SCOPED_TRACE(format.name);
        const std::size_t wholeFrom = format.wholeFrom == 0 ? format.bytes.size() : format.wholeFrom;
        int taken = 0;
        int refused = 0;
        for (const std::size_t cut : cutsOf(format.bytes)) {
            const auto rates = parseReferenceRates(std::string_view(format.bytes).substr(0, cut), "kurse");
            const bool atLineEnd = cut > 0 && format.bytes[cut - 1] == '\n';
            const bool whole =
                cut >= wholeFrom || (format.wholeDaysFrom > 0 && atLineEnd && cut >= format.wholeDaysFrom);
            if (!rates) {
                ++refused;
                ASSERT_FALSE(whole) << "a whole file refused, cut at " << cut << ": " << rates.error();
                ASSERT_NE(rates.error().find("„kurse“"), std::string::npos) << rates.error();
                continue;
            }
            ++taken;
            ASSERT_TRUE(whole) << "cut at " << cut << " of " << format.bytes.size() << " taken";
            // Each day it gives is a day of the whole file, with all of its rates and none other, and
            // the newest is the whole file's newest, as the files run newest first.
            const auto days = daysOf(*rates);
            ASSERT_FALSE(days.empty()) << "cut at " << cut;
            for (const auto& [day, triples] : days) {
                ASSERT_TRUE(history.byDay.contains(day) && triples == history.byDay.at(day))
                    << "cut at " << cut << ": " << day;
            }
            ASSERT_EQ(days.rbegin()->first, history.days[0]) << "cut at " << cut;
        }
        EXPECT_GT(taken, 0);
        EXPECT_GT(refused, 0);
    }
}

}  // namespace
}  // namespace kursomatik
