// SPDX-License-Identifier: GPL-3.0-or-later
#include "history/HistoryStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/rates/HistoryFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::TempDir;
using testsupport::writeFile;

ReferenceHistory daysOf(const std::string& csv) {
    auto days = parseReferenceHistory(csv, "test.csv");
    EXPECT_TRUE(days) << days.error();
    return days ? *days : ReferenceHistory{};
}

// Every stored rate of a code, as "2024-06-27=1.07 ...".
std::string stored(const HistoryStore& store, const std::string& code) {
    std::string text;
    const auto rates = store.series(code, {1999, 1, 1}, {2099, 12, 31});
    EXPECT_TRUE(rates) << rates.error();
    for (const StoredRate& rate : rates ? *rates : std::vector<StoredRate>{})
        text += formatShortDate(rate.day, "yyyy-MM-dd") + "=" +
                std::to_string(rate.rate.toDouble()).substr(0, 6) + " ";
    return text;
}

TEST(HistoryStore, ImportsAddNewDaysOnlyAndNameTheFirstDifferingRate) {
    TempDir dir;
    const fs::path file = dir / "KURSVERLAUF.DB";
    // Each file's summary, USD's rates afterwards, and whether the file changed.
    using Step = std::tuple<std::string, std::string, std::string, bool>;
    for (const auto& [csv, summary, usd, fileChanged] : std::initializer_list<Step>{
             {"Date,USD,JPY,\n2024-06-28,1.0705,172.43,\n2024-06-27,1.0701,N/A,\n",
              "Kursverlauf: 2 Tage, 3 Kurse neu, 2 Währungen neu; 0 abweichende Kurse nicht übernommen.",
              "2024-06-27=1.0701 2024-06-28=1.0705 ", true},
             // Its newest day again, in another format: nothing changes.
             {"Date, USD, \n28 June 2024, 1.07050, \n",
              "Kursverlauf: 1 Tag, 0 Kurse neu, 0 Währungen neu; 0 abweichende Kurse nicht übernommen.",
              "2024-06-27=1.0701 2024-06-28=1.0705 ", false},
             // A stored rate is never overwritten; the first difference is named.
             {"Date,USD,CHF,\n2024-07-01,1.0713,0.9689,\n2024-06-28,1.0710,0.9620,\n2024-06-27,1.0702,N/A,\n",
              "Kursverlauf: 3 Tage, 3 Kurse neu, 1 Währung neu; 2 abweichende Kurse nicht übernommen (zuerst "
              "USD am 28.06.2024: gespeichert 1,0705, in der Datei 1,071).",
              "2024-06-27=1.0701 2024-06-28=1.0705 2024-07-01=1.0713 ", true},
             // A day the file holds twice keeps its first rate.
             {"Date,USD,\n2024-07-02,1.0720,\n2024-07-02,1.0730,\n",
              "Kursverlauf: 2 Tage, 1 Kurs neu, 0 Währungen neu; 1 abweichender Kurs nicht übernommen "
              "(zuerst "
              "USD am 02.07.2024: gespeichert 1,072, in der Datei 1,073).",
              "2024-06-27=1.0701 2024-06-28=1.0705 2024-07-01=1.0713 2024-07-02=1.0720 ", true},
         }) {
        const std::string before = fs::exists(file) ? readFile(file) : "";
        auto store = HistoryStore::openForImport(file);
        ASSERT_TRUE(store) << store.error();
        const auto imported = (*store).import(daysOf(csv));
        ASSERT_TRUE(imported) << imported.error();
        EXPECT_EQ(historySummaryText(*imported, RegionalSettings::german()), summary);
        EXPECT_EQ(stored(*store, "USD"), usd);
        EXPECT_EQ(readFile(file) != before, fileChanged) << summary;
    }
}

TEST(HistoryStore, ABrokenFileIsMovedAsideAndTheNextImportBeginsANewHistory) {
    TempDir dir;
    {
        auto store = HistoryStore::openForImport(dir / "muster.db");
        ASSERT_TRUE(store && (*store).import(daysOf(testsupport::historyCsv())));
    }
    const std::string valid = readFile(dir / "muster.db");
    std::string holed = valid;
    for (std::size_t i = holed.size() / 2; i < holed.size() / 2 + 20000; ++i)
        holed[i] = static_cast<char>(i * 7);
    // Reading checks only that the file is a database: the whole check is the import's.
    using Case = std::tuple<const char*, std::string, bool>;
    for (const auto& [what, bytes, seenByReading] : std::initializer_list<Case>{
             {"Text", "Das ist keine Datenbank, sondern ein Brief.\n", true},
             {"Seiten überschrieben", holed, false},
         }) {
        const fs::path file = dir / "KURSVERLAUF.DB";
        for (bool reading : {true, false}) {
            if (reading && !seenByReading) continue;
            writeFile(file, bytes);
            fs::remove(dir / "KURSVERLAUF.DB.defekt");
            auto store = reading ? HistoryStore::openForReading(file) : HistoryStore::openForImport(file);
            ASSERT_TRUE(store) << what << ": " << store.error();
            EXPECT_NE(
                store->notice().find(
                    std::string("war beschädigt und heißt jetzt „") + file.string() + ".defekt“; " +
                    (reading ? "der nächste Import legt ihn neu an." : "dieser Import beginnt einen neuen.")),
                std::string::npos)
                << what << ": " << store->notice();
            EXPECT_EQ(readFile(dir / "KURSVERLAUF.DB.defekt"), bytes) << what;
            EXPECT_TRUE(store->empty()) << what;
            if (reading) {
                EXPECT_FALSE(fs::exists(file)) << what;
                continue;
            }
            ASSERT_TRUE((*store).import(daysOf("Date,USD,\n2024-06-28,1.0705,\n"))) << what;
            EXPECT_EQ(stored(*store, "USD"), "2024-06-28=1.0705 ") << what;
        }
    }
}

// The importer is killed at any moment: afterwards the history holds the days before that import or
// all of its days, never a part.
TEST(HistoryStore, AKillDuringTheImportLeavesTheOldOrTheNewHistory) {
    TempDir dir;
    const fs::path file = dir / "KURSVERLAUF.DB";
    const std::string old = "Date,USD,JPY,\n2026-06-01,1.1000,150.00,\n";
    {
        auto store = HistoryStore::openForImport(file);
        ASSERT_TRUE(store && (*store).import(daysOf(old)));
    }
    const ReferenceHistory full = daysOf(testsupport::historyCsv());
    const std::string oldUsd = "2026-06-01=1.1000 ";
    int oldSeen = 0, newSeen = 0;
    // -1: the importer runs to its end.
    for (int delay : {0, 20, 60, 120, 200, 300, 450, 700, 1000, -1}) {
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            auto store = HistoryStore::openForImport(file);
            _exit(store && (*store).import(full) ? 0 : 1);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(std::max(delay, 0)));
        if (delay >= 0) kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        const auto store = HistoryStore::openForReading(file);
        ASSERT_TRUE(store) << store.error();
        EXPECT_TRUE(store->notice().empty()) << store->notice();
        const auto usd = store->series("USD", {1999, 1, 1}, {2099, 12, 31});
        const auto jpy = store->series("JPY", {1999, 1, 1}, {2099, 12, 31});
        ASSERT_TRUE(usd && jpy);
        const bool isOld = usd->size() == 1 && jpy->size() == 1;
        const bool isNew =
            usd->size() > 6000 && jpy->size() > 6000 && usd->back().day == CivilDate{2026, 6, 1};
        EXPECT_TRUE(isOld || isNew) << delay << " ms: " << usd->size() << " USD, " << jpy->size() << " JPY";
        oldSeen += isOld;
        newSeen += isNew;
        if (isNew) break;  // the rest would import nothing new
    }
    // The sweep met the import both before and after its end.
    EXPECT_GT(oldSeen, 0);
    EXPECT_EQ(newSeen, 1);
}

}  // namespace
}  // namespace kursomatik
