// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/History.h"

#include <cmath>

#include "cli/Output.h"
#include "conversion/NumberFormat.h"
#include "history/DayConversion.h"
#include "history/PairHistory.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "settings/Locations.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

constexpr const char* kName = "kursomatik-rechner: ";

std::string shortDate(const CivilDate& day, const RegionalSettings& regional) {
    return formatShortDate(day, regional.shortDatePattern);
}

std::string isoDay(const CivilDate& day) {
    return formatShortDate(day, "yyyy-MM-dd");
}

// How to fill an empty history, for every message that finds none.
std::string howToFill(const fs::path& file) {
    return " Der Kursverlauf " + inQuotes(file.string()) +
           " ist noch leer; die Kurse seit 1999 bringt: kursomatik-rechner --import eurofxref-hist.zip (die "
           "Datei der EZB mit allen Tagen).";
}

// The history, opened on first need only: a pair of fixed currencies converts without it.
class LazyHistory {
  public:
    explicit LazyHistory(fs::path file) : file_(std::move(file)) {}
    Result<const HistoryStore*> get(std::ostream& err) {
        if (!store_) {
            auto opened = HistoryStore::openForReading(file_);
            if (!opened) return opened.status();
            if (!opened->notice().empty()) err << kName << opened->notice() << '\n';
            store_.emplace(std::move(*opened));
        }
        return &*store_;
    }

  private:
    fs::path file_;
    std::optional<HistoryStore> store_;
};

std::string jsonSide(const DaySide& side, const char* suffix) {
    return std::string(", \"kurs_") + suffix + "\": " + jsonRate(side.cyKurs) + ", \"kurstag_" + suffix +
           "\": " + jsonString(isoDay(side.rate.published)) + ", \"festkurs_" + suffix +
           "\": " + (side.rate.kind == DayRate::Kind::Fixed ? "true" : "false");
}

std::optional<double> tableRate(const CurrencyTable& table, const std::string& code,
                                const RegionalSettings& regional) {
    if (!fixingDay(code)) return std::nullopt;
    const auto chosen = currencyOfCode(table, code, regional);
    if (!chosen) return std::nullopt;
    return chosen->cyKurs.toDouble() / kRateScale;
}

}  // namespace

bool importHistory(const ReferenceHistory& days, const fs::path& table, const RegionalSettings& regional,
                   std::ostream& out, std::ostream& err) {
    std::string notice;
    const auto line = importIntoHistory(days, historyFileOf(table), regional, notice);
    if (!notice.empty()) err << kName << notice << '\n';
    if (!line) {
        err << kName << line.error() << '\n';
        return false;
    }
    out << *line << '\n';
    return true;
}

std::string topUpHistory(const RateSource& source, ReferenceHistory& days, const fs::path& table,
                         const RegionalSettings& regional,
                         const std::function<Result<DownloadAnswer>(const DownloadRequest&)>& download,
                         std::ostream& err) {
    if (days.empty()) return {};
    std::optional<CivilDate> newest;
    {
        LazyHistory history(historyFileOf(table));
        const auto store = history.get(err);
        const auto read = store ? (*store)->newestDay() : Result<std::optional<CivilDate>>(store.status());
        if (!read) return {};  // the import that follows says why
        newest = *read;
    }
    const auto request = topUpRequest(source, newest, days);
    if (!request) return {};
    TopUp topUp = topUpOf(download(*request), *request, newest, days, regional,
                          "kursomatik-rechner --import eurofxref-hist.zip");
    if (topUp.failed) {
        err << kName << topUp.note << '\n';
        return {};
    }
    days.insert(days.end(), topUp.days.begin(), topUp.days.end());
    return topUp.note;
}

bool convertOnDay(const RechnerOptions& options, const CurrencyTable& table, double dStellen1,
                  double dStellen2, const RegionalSettings& regional, std::ostream& out, std::ostream& err) {
    const CivilDate day = *options.datum;
    const auto amount = amountOf(options.betrag, regional);
    LazyHistory history(historyFileOf(table.file));
    DaySources sources;
    sources.fixedRate = [&](const std::string& code) -> Result<Money> {
        const auto chosen = currencyOfCode(table, code, regional);
        if (!chosen) return chosen.status();
        return chosen->cyKurs;
    };
    sources.history = [&] { return history.get(err); };
    sources.emptyHint = howToFill(historyFileOf(table.file));
    auto converted = amount ? convertOnDay(options.betrag, options.von, options.nach, day, dStellen1,
                                           dStellen2, sources, regional)
                            : Result<DayConversion>(amount.status());
    if (!converted) {
        err << kName << converted.error() << '\n';
        return false;
    }
    const auto& [from, to, shown] = *converted;
    for (const DaySide* side : {&from, &to}) {
        if (side->rate.kind == DayRate::Kind::Published && side->rate.published != day) {
            err << kName << "Am " << shortDate(day, regional) << " gibt es keinen Referenzkurs für "
                << side->code << "; es gilt der vom " << shortDate(side->rate.published, regional) << ".\n";
        }
    }
    if (!options.json) {
        out << *shown.wertText << '\n';
        return true;
    }
    out << "{\"datum\": " << jsonString(isoDay(day)) << ", \"betrag\": " << jsonNumber(*amount)
        << ", \"von\": " << jsonString(from.code) << ", \"nach\": " << jsonString(to.code)
        << ", \"euro\": " << jsonNumber(shown.euro) << ", \"ergebnis\": " << jsonNumber(shown.wert)
        << ", \"anzeige\": " << jsonString(*shown.wertText) << jsonSide(from, "von") << jsonSide(to, "nach")
        << "}\n";
    return true;
}

bool printSeries(const RechnerOptions& options, const CurrencyTable& table, const RegionalSettings& regional,
                 std::ostream& out, std::ostream& err) {
    const std::string von = utf8::toUpper(options.von);
    const std::string nach = utf8::toUpper(options.nach);
    const CivilDate first = options.seit.value_or(CivilDate{1999, 1, 1});
    const CivilDate last = options.bis.value_or(CivilDate{9999, 12, 31});
    LazyHistory history(historyFileOf(table.file));
    const auto store = history.get(err);
    const auto series = store ? crossSeries(**store, von, nach, first, last, tableRate(table, von, regional),
                                            tableRate(table, nach, regional))
                              : Result<std::vector<CrossRate>>(store.status());
    if (!series) {
        err << kName << series.error() << '\n';
        return false;
    }
    if (series->empty()) {
        std::string text = "Der Kursverlauf hat für " + von + " und " + nach + " keinen gemeinsamen Tag";
        if (options.seit || options.bis)
            text += " vom " + shortDate(first, regional) + " bis " + shortDate(last, regional);
        text += ".";
        if ((*store)->empty()) text += howToFill((*store)->file());
        err << kName << text << '\n';
        return false;
    }
    const RegionalSettings plain = RegionalSettings::english();
    const char* separator = "[\n";
    for (const CrossRate& rate : *series) {
        if (options.json) {
            out << separator << "{\"tag\": " << jsonString(isoDay(rate.day))
                << ", \"kurs\": " << crossRateText(rate.rate, plain) << '}';
            separator = ",\n";
        } else {
            out << isoDay(rate.day) << ';' << crossRateText(rate.rate, regional) << '\n';
        }
    }
    if (options.json) out << "\n]\n";
    return true;
}

}  // namespace kursomatik
