// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include <sqlite3.h>

#include <set>

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
                  inQuotes(aside.string()) + "; der nächste Import legt ihn neu an.";
        if (!forImport) return Status::ok();
    }
    if (forImport && !execute(db_.get(), kSchema)) return failure("angelegt werden");
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
    sqlite3* db = db_.get();
    HistoryImportSummary summary;
    if (!execute(db, "BEGIN IMMEDIATE")) return failure("geschrieben werden");
    Statement known(db, "SELECT 1 FROM rate WHERE code = ?1 LIMIT 1");
    Statement insert(db, "INSERT INTO rate(code, day, rate) VALUES(?1, ?2, ?3) ON CONFLICT DO NOTHING");
    Statement stored(db, "SELECT rate FROM rate WHERE code = ?1 AND day = ?2");
    bool ok = known.ready() && insert.ready() && stored.ready();
    std::set<std::string> codes;
    for (const ReferenceRates& day : days) {
        for (const ReferenceRate& rate : day.rates) {
            if (!ok || codes.count(rate.code) != 0) continue;
            codes.insert(rate.code);
            const int step = known.bind(1, rate.code).step();
            ok = step == SQLITE_ROW || step == SQLITE_DONE;
            if (step == SQLITE_DONE) ++summary.newCurrencies;
            known.reset();
        }
    }
    for (auto day = days.begin(); ok && day != days.end(); ++day) {
        const std::string when = dayText(day->date);
        if (!day->rates.empty()) ++summary.days;
        for (const ReferenceRate& rate : day->rates) {
            const std::string text = rateText(rate.rate);
            ok = insert.bind(1, rate.code).bind(2, when).bind(3, text).step() == SQLITE_DONE;
            insert.reset();
            if (!ok) break;
            if (sqlite3_changes(db) > 0) {
                ++summary.added;
                continue;
            }
            ok = stored.bind(1, rate.code).bind(2, when).step() == SQLITE_ROW;
            const std::string before(stored.column(0));
            stored.reset();
            if (!ok) break;
            if (before == text) continue;
            if (summary.differing++ == 0) {
                summary.code = rate.code;
                summary.day = day->date;
                summary.stored = rateOf(before);
                summary.offered = rate.rate;
            }
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
