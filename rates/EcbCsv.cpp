// SPDX-License-Identifier: GPL-3.0-or-later
#include "rates/ReferenceRates.h"

#include <algorithm>
#include <array>
#include <optional>
#include <set>
#include <vector>

#include "platform/Utf8.h"
#include "rates/RateFields.h"

namespace kursomatik {
namespace {

using namespace ratefields;

// The fields of a line, without the blanks around them.
void splitFields(std::string_view line, std::vector<std::string_view>& fields) {
    fields.clear();
    for (std::size_t start = 0;;) {
        const auto end = line.find(',', start);
        fields.push_back(utf8::trimBlanks(line.substr(start, end - start)));
        if (end == std::string_view::npos) return;
        start = end + 1;
    }
}

// "28 June 2024" as the daily file writes it, or "2024-06-28" as the history does.
std::optional<CivilDate> parseDate(std::string_view text) {
    if (auto iso = parseShortDate(text, "yyyy-MM-dd")) return iso;
    static constexpr std::array<std::string_view, 12> kMonths = {
        "January", "February", "March",     "April",   "May",      "June",
        "July",    "August",   "September", "October", "November", "December"};
    const auto first = text.find(' ');
    const auto last = text.rfind(' ');
    if (first == std::string_view::npos || first == last) return std::nullopt;
    const auto month = std::find(kMonths.begin(), kMonths.end(), text.substr(first + 1, last - first - 1));
    if (month == kMonths.end()) return std::nullopt;
    const std::string numeric = std::string(text.substr(0, first)) + "." +
                                std::to_string(month - kMonths.begin() + 1) + "." +
                                std::string(text.substr(last + 1));
    return parseShortDate(numeric, "d.M.yyyy");
}

class CsvReader {
  public:
    CsvReader(const std::string& fileName, const std::string& where) : fileName_(fileName), where_(where) {}

    Result<ReferenceHistory> read(std::string_view text) {
        int number = 0;
        std::vector<std::string_view> fields;
        for (std::size_t start = 0; start < text.size();) {
            const auto end = text.find('\n', start);
            std::string_view line = text.substr(start, end - start);
            start = end == std::string_view::npos ? text.size() : end + 1;
            ++number;
            if (utf8::trimBlanks(line).empty()) continue;
            // A file is taken only whole: a line without its line end is where a download stopped.
            if (end == std::string_view::npos)
                return fail(number, "Die Zeile hört ohne Zeilenende auf: Die Datei ist unvollständig");
            if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
            // The ECB ends every line with a comma, and nothing after it but blanks. A file cut inside
            // its last field ("19.4970, " cut to "19.4") lacks it, so its last value is never taken.
            splitFields(line, fields);
            if (fields.size() < 2 || !fields.back().empty()) {
                return fail(number,
                            "Die Zeile endet nicht mit einem Komma nach dem letzten Feld: Die Datei ist "
                            "unvollständig");
            }
            fields.pop_back();
            const Status read = codes_.empty() ? header(fields, number) : row(fields, number);
            if (!read) return read;
        }
        if (days_.empty()) return fail(number, "Die Datei enthält keinen Tag mit Kursen");
        return std::move(days_);
    }

  private:
    Status fail(int line, const std::string& cause) const {
        return importError(fileName_, where_ + "Zeile " + std::to_string(line), cause);
    }

    Status header(const std::vector<std::string_view>& fields, int line) {
        if (fields[0] != "Date") return fail(line, "Die Kopfzeile beginnt nicht mit \u201EDate\u201C");
        if (fields.size() < 2) return fail(line, "Die Kopfzeile nennt keine Währung");
        std::set<std::string_view> seen;
        for (std::size_t i = 1; i < fields.size(); ++i) {
            if (!isCurrencyCode(fields[i]))
                return fail(line, quotedText(fields[i]) + " ist kein Währungscode aus drei Buchstaben");
            if (!seen.insert(fields[i]).second)
                return fail(line, quotedText(fields[i]) + " steht zweimal da");
            codes_.emplace_back(fields[i]);
        }
        return Status::ok();
    }

    Status row(const std::vector<std::string_view>& fields, int line) {
        const auto date = parseDate(fields[0]);
        if (!date) return fail(line, quotedText(fields[0]) + " ist kein Datum");
        if (fields.size() != codes_.size() + 1) {
            const auto rates = fields.size() - 1;
            return fail(line, "Die Zeile hat " + std::to_string(rates) + (rates == 1 ? " Kurs" : " Kurse") +
                                  ", die Kopfzeile aber " + std::to_string(codes_.size()) +
                                  (codes_.size() == 1 ? " Währung" : " Währungen"));
        }
        ReferenceRates day{*date, {}};
        day.rates.reserve(codes_.size());
        for (std::size_t i = 1; i < fields.size(); ++i) {
            if (fields[i] == "N/A") continue;
            if (!isRate(fields[i])) {
                return fail(line,
                            codes_[i - 1] + ": " + quotedText(fields[i]) + " ist kein Kurs größer null");
            }
            day.rates.push_back({codes_[i - 1], *parseRate(fields[i])});
        }
        days_.push_back(std::move(day));
        return Status::ok();
    }

    const std::string& fileName_;
    const std::string& where_;
    std::vector<std::string> codes_;
    ReferenceHistory days_;
};

}  // namespace

Result<ReferenceHistory> parseEcbCsv(std::string_view text, const std::string& fileName,
                                     const std::string& where) {
    return CsvReader(fileName, where).read(text);
}

}  // namespace kursomatik
