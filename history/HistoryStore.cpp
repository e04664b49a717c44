// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <algorithm>
#include <map>

#include "conversion/NumberFormat.h"
#include "platform/SystemError.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS rate(code TEXT NOT NULL, day TEXT NOT NULL, rate TEXT NOT NULL, "
    "PRIMARY KEY(code, day)) WITHOUT ROWID";

// Rates are stored as the exact decimal the file writes, with a full stop whatever the locale.
const RegionalSettings& plainDecimals() {
    static const RegionalSettings plain = RegionalSettings::english();
    return plain;
}

// The exact decimal, without a separator where it has no decimals.
std::string exactText(const DecimalNumber& rate, const RegionalSettings& regional) {
    std::string text = formatNumber(rate, NumberPattern{false, true, 1, 0, 40}, regional);
    if (text.ends_with(regional.decimalSeparator))
        text.resize(text.size() - regional.decimalSeparator.size());
    return text;
}

std::string rateText(const DecimalNumber& rate) {
    return exactText(rate, plainDecimals());
}

DecimalNumber rateOf(std::string_view text) {
    return parseRegionalNumber(text, plainDecimals()).value_or(DecimalNumber{});
}

std::string dayText(const CivilDate& day) {
    return formatShortDate(day, "yyyy-MM-dd");
}

// A prepared statement, finalized when it goes out of scope.
class Statement {
  public:
    Statement(sqlite3* db, const char* sql) { sqlite3_prepare_v2(db, sql, -1, &statement_, nullptr); }
    ~Statement() { sqlite3_finalize(statement_); }
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool ready() const { return statement_ != nullptr; }
    Statement& bind(int index, const std::string& text) {
        sqlite3_bind_text(statement_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        return *this;
    }
    int step() { return sqlite3_step(statement_); }
    void reset() { sqlite3_reset(statement_); }
    std::string_view column(int index) const {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, index));
        return text == nullptr ? std::string_view{}
                               : std::string_view(
                                     text, static_cast<std::size_t>(sqlite3_column_bytes(statement_, index)));
    }
    CivilDate day(int index) const {
        return parseShortDate(column(index), "yyyy-MM-dd").value_or(CivilDate{});
    }

  private:
    sqlite3_stmt* statement_ = nullptr;
};

bool execute(sqlite3* db, const char* sql) {
    return sqlite3_exec(db, sql, nullptr, nullptr, nullptr) == SQLITE_OK;
}

// SQLITE_OK for a database in good order, SQLITE_CORRUPT or SQLITE_NOTADB for a damaged file or one
// of another kind, and any other code for a failure that says nothing about the file (a lock).
int checked(sqlite3* db, bool whole) {
    Statement check(db, whole ? "PRAGMA integrity_check" : "SELECT count(*) FROM sqlite_master");
    if (!check.ready()) return sqlite3_errcode(db) & 0xFF;
    const int step = check.step();
    if (step != SQLITE_ROW) return step & 0xFF;
    return !whole || check.column(0) == "ok" ? SQLITE_OK : SQLITE_CORRUPT;
}

// A rate of the file on its way into the history.
struct Offered {
    const ReferenceRate* rate;
    const ReferenceRates* from;  // its day
    std::size_t day;             // the index of the day's text
    std::size_t order;           // its place in the file
};

}  // namespace

void HistoryStore::Close::operator()(sqlite3* db) const {
    sqlite3_close(db);
}

HistoryStore::HistoryStore(HistoryStore&&) noexcept = default;
HistoryStore& HistoryStore::operator=(HistoryStore&&) noexcept = default;
HistoryStore::~HistoryStore() = default;

// The message of SQLite's last failure: the system's cause in German where there is one.
Status HistoryStore::failure(const std::string& action) const {
    const int code = db_ ? sqlite3_errcode(db_.get()) & 0xFF : SQLITE_CANTOPEN;
    const int error = db_ ? sqlite3_system_errno(db_.get()) : 0;
    if (error != 0 && (code == SQLITE_IOERR || code == SQLITE_CANTOPEN || code == SQLITE_FULL))
        return fileError(file_.string(), action, systemFailure(error));
    std::string cause;
    switch (code) {
        case SQLITE_FULL:
        case SQLITE_IOERR:
            cause = "Ein Schreib- oder Lesefehler (der Datenträger ist voll, oder eine Größengrenze gilt)";
            break;
        case SQLITE_BUSY:
        case SQLITE_LOCKED:
            cause = "Ein anderes Programm schreibt gerade hinein";
            break;
        case SQLITE_READONLY:
        case SQLITE_PERM:
            cause = "Keine Berechtigung";
            break;
        case SQLITE_CORRUPT:
        case SQLITE_NOTADB:
            cause = "Die Datei ist beschädigt";
            break;
        default:
            cause = std::string("SQLite meldet „") + sqlite3_errstr(code) + "“";
    }
    return fileError(file_.string(), action, Status::fail(cause));
}

Status HistoryStore::open(bool forImport) {
    std::error_code unknown;
    if (!forImport && !fs::exists(file_, unknown)) return Status::ok();
    for (int attempt = 0; attempt < 2; ++attempt) {
        // Reading opens for writing too where it may: a kill during an import leaves a journal that only
        // a writer can roll back.
        sqlite3* db = nullptr;
        int opened = sqlite3_open_v2(file_.c_str(), &db,
                                     SQLITE_OPEN_READWRITE | (forImport ? SQLITE_OPEN_CREATE : 0), nullptr);
        if (opened != SQLITE_OK && !forImport) {
            sqlite3_close(db);
            db = nullptr;
            opened = sqlite3_open_v2(file_.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
        }
        db_.reset(db);
        if (opened != SQLITE_OK) return failure(forImport ? "geöffnet werden" : "gelesen werden");
        sqlite3_busy_timeout(db, 2000);
        // A file in good order goes on; an SQLite error that is no damage (a lock, a full disk) is
        // reported, and the file stays.
        const int code = checked(db, forImport);
        if (code == SQLITE_OK) break;
        if (code != SQLITE_CORRUPT && code != SQLITE_NOTADB)
            return failure(forImport ? "geöffnet werden" : "gelesen werden");
        db_.reset();
        const fs::path aside = file_.string() + ".defekt";
        if (::rename(file_.c_str(), aside.c_str()) != 0)
            return fileError(file_.string(), "beiseitegelegt werden", systemFailure(errno));
        notice_ = "Der Kursverlauf " + inQuotes(file_.string()) + " war beschädigt und heißt jetzt " +
                  inQuotes(aside.string()) + "; " +
                  (forImport ? "dieser Import beginnt einen neuen." : "der nächste Import legt ihn neu an.");
        if (!forImport) return Status::ok();
    }
    if (forImport && !execute(db_.get(), kSchema)) return failure("angelegt werden");
    // An import of the full history touches every page: its pages stay in memory until the commit.
    if (forImport) execute(db_.get(), "PRAGMA cache_size = -65536");
    if (!forImport) {
        Statement table(db_.get(), "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'rate'");
        if (!table.ready() || table.step() != SQLITE_ROW) db_.reset();  // a database, but no history in it
    }
    return Status::ok();
}

Result<HistoryStore> HistoryStore::openForReading(const fs::path& file) {
    HistoryStore store(file);
    if (Status opened = store.open(false); !opened) return opened;
    return store;
}

Result<HistoryStore> HistoryStore::openForImport(const fs::path& file) {
    HistoryStore store(file);
    if (Status opened = store.open(true); !opened) return opened;
    return store;
}

Result<HistoryImportSummary> HistoryStore::import(const ReferenceHistory& days) {
    HistoryImportSummary summary;
    std::vector<std::string> dayTexts;
    std::map<std::string_view, std::vector<Offered>> byCode;
    std::size_t order = 0;
    for (const ReferenceRates& day : days) {
        if (!day.rates.empty()) ++summary.days;
        dayTexts.push_back(dayText(day.date));
        for (const ReferenceRate& rate : day.rates)
            byCode[rate.code].push_back({&rate, &day, dayTexts.size() - 1, order++});
    }
    sqlite3* db = db_.get();
    if (!execute(db, "BEGIN IMMEDIATE")) return failure("geschrieben werden");
    Statement stored(db, "SELECT day, rate FROM rate WHERE code = ?1 AND day BETWEEN ?2 AND ?3 ORDER BY day");
    Statement known(db, "SELECT 1 FROM rate WHERE code = ?1 LIMIT 1");
    Statement insert(db, "INSERT INTO rate(code, day, rate) VALUES(?1, ?2, ?3)");
    bool ok = stored.ready() && known.ready() && insert.ready();
    std::size_t first = order;  // the differing rate first in the file
    const auto differs = [&](const Offered& o, const std::string& before) {
        ++summary.differing;
        if (o.order >= first) return;
        first = o.order;
        summary.code = o.rate->code;
        summary.day = o.from->date;
        summary.stored = rateOf(before);
        summary.offered = o.rate->rate;
    };
    for (auto& [name, rates] : byCode) {
        if (!ok) break;
        // Oldest first, as the table's key orders them: new rows are appended, stored ones read in one
        // pass; a day the file holds twice keeps its first rate.
        std::stable_sort(rates.begin(), rates.end(),
                         [](const Offered& a, const Offered& b) { return a.from->date < b.from->date; });
        const std::string code(name);
        std::vector<std::pair<std::string, std::string>> have;  // day and rate, oldest first
        stored.bind(1, code).bind(2, dayTexts[rates.front().day]).bind(3, dayTexts[rates.back().day]);
        int step = SQLITE_ROW;
        while ((step = stored.step()) == SQLITE_ROW) have.emplace_back(stored.column(0), stored.column(1));
        stored.reset();
        ok = step == SQLITE_DONE;
        if (ok && have.empty()) {
            step = known.bind(1, code).step();
            known.reset();
            ok = step == SQLITE_ROW || step == SQLITE_DONE;
            if (step == SQLITE_DONE) ++summary.newCurrencies;
        }
        auto held = have.begin();
        std::string previous;  // the rate text of the day before in this loop
        for (auto o = rates.begin(); ok && o != rates.end(); ++o) {
            const std::string& day = dayTexts[o->day];
            const std::string text = rateText(o->rate->rate);
            while (held != have.end() && held->first < day) ++held;
            if (held != have.end() && held->first == day) {
                if (held->second != text) differs(*o, held->second);
            } else if (o != rates.begin() && std::prev(o)->from->date == o->from->date) {
                if (previous != text) differs(*o, previous);
                continue;
            } else {
                ok = insert.bind(1, code).bind(2, day).bind(3, text).step() == SQLITE_DONE;
                insert.reset();
                ++summary.added;
            }
            previous = text;
        }
    }
    if (!ok || !execute(db, "COMMIT")) {
        Status failed = failure("geschrieben werden");
        execute(db, "ROLLBACK");
        return Status::fail(failed.error() + " Der Kursverlauf bleibt, wie er war.", failed.cause());
    }
    return summary;
}

Result<std::optional<StoredRate>> HistoryStore::lastOnOrBefore(std::string_view code,
                                                               const CivilDate& day) const {
    if (!db_) return std::optional<StoredRate>{};
    Statement last(db_.get(),
                   "SELECT day, rate FROM rate WHERE code = ?1 AND day <= ?2 ORDER BY day DESC LIMIT 1");
    if (!last.ready()) return failure("gelesen werden");
    const int step = last.bind(1, std::string(code)).bind(2, dayText(day)).step();
    if (step == SQLITE_DONE) return std::optional<StoredRate>{};
    if (step != SQLITE_ROW) return failure("gelesen werden");
    return std::optional<StoredRate>{StoredRate{last.day(0), rateOf(last.column(1))}};
}

Result<std::optional<std::pair<CivilDate, CivilDate>>> HistoryStore::span(std::string_view code) const {
    using Span = std::optional<std::pair<CivilDate, CivilDate>>;
    if (!db_) return Span{};
    Statement first(db_.get(), "SELECT day FROM rate WHERE code = ?1 ORDER BY day LIMIT 1");
    Statement last(db_.get(), "SELECT day FROM rate WHERE code = ?1 ORDER BY day DESC LIMIT 1");
    if (!first.ready() || !last.ready()) return failure("gelesen werden");
    const int step = first.bind(1, std::string(code)).step();
    if (step == SQLITE_DONE) return Span{};
    if (step != SQLITE_ROW || last.bind(1, std::string(code)).step() != SQLITE_ROW)
        return failure("gelesen werden");
    return Span{std::pair{first.day(0), last.day(0)}};
}

Result<std::vector<StoredRate>> HistoryStore::series(std::string_view code, const CivilDate& from,
                                                     const CivilDate& to) const {
    std::vector<StoredRate> rates;
    if (!db_) return rates;
    Statement days(db_.get(),
                   "SELECT day, rate FROM rate WHERE code = ?1 AND day BETWEEN ?2 AND ?3 ORDER BY day");
    if (!days.ready()) return failure("gelesen werden");
    days.bind(1, std::string(code)).bind(2, dayText(from)).bind(3, dayText(to));
    int step = SQLITE_ROW;
    while ((step = days.step()) == SQLITE_ROW) rates.push_back({days.day(0), rateOf(days.column(1))});
    if (step != SQLITE_DONE) return failure("gelesen werden");
    return rates;
}

bool HistoryStore::empty() const {
    if (!db_) return true;
    Statement any(db_.get(), "SELECT 1 FROM rate LIMIT 1");
    return !any.ready() || any.step() != SQLITE_ROW;
}

Result<std::optional<CivilDate>> HistoryStore::newestDay() const {
    if (!db_) return std::optional<CivilDate>{};
    Statement newest(db_.get(), "SELECT max(day) FROM rate");
    if (!newest.ready() || newest.step() != SQLITE_ROW) return failure("gelesen werden");
    if (newest.column(0).empty()) return std::optional<CivilDate>{};
    return std::optional<CivilDate>{newest.day(0)};
}

Result<std::string> importIntoHistory(const ReferenceHistory& days, const fs::path& file,
                                      const RegionalSettings& regional, std::string& notice) {
    auto store = HistoryStore::openForImport(file);
    if (store) notice = store->notice();
    const auto summary = store ? (*store).import(days) : Result<HistoryImportSummary>(store.status());
    if (!summary)
        return Status::fail(summary.error() + " Die Tabelle ist übernommen, der Kursverlauf nicht.");
    return historySummaryText(*summary, regional);
}

std::string historySummaryText(const HistoryImportSummary& s, const RegionalSettings& regional) {
    const auto count = [&](long n, const char* one, const char* many) {
        return formatNumber(static_cast<double>(n), "#,##0", regional) + " " + (n == 1 ? one : many);
    };
    std::string text = "Kursverlauf: " + count(s.days, "Tag", "Tage") + ", " +
                       count(s.added, "Kurs neu", "Kurse neu") + ", " +
                       count(s.newCurrencies, "Währung neu", "Währungen neu") + "; " +
                       count(s.differing, "abweichender Kurs", "abweichende Kurse") + " nicht übernommen";
    if (s.differing > 0) {
        text += " (zuerst " + s.code + " am " + formatShortDate(s.day, regional.shortDatePattern) +
                ": gespeichert " + exactText(s.stored, regional) + ", in der Datei " +
                exactText(s.offered, regional) + ")";
    }
    return text + ".";
}

}  // namespace kursomatik
