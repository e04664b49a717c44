// SPDX-License-Identifier: GPL-3.0-or-later
#include "store/ListOrder.h"

#include <gtest/gtest.h>

#include "platform/RegionalSettings.h"
#include "store/CurrencyLists.h"
#include "store/RecordFileState.h"
#include "tests/store/RecordBuilder.h"
#include "tests/support/TempDir.h"

namespace kursomatik {
namespace {

using testsupport::makeRecord;

std::string record(const std::string& name, const std::string& kurs, const std::string& ewwu = "0") {
    return encodeRecord(makeRecord(name, "ISO", kurs, ewwu));
}

// The list pass's own list of all currencies over these bytes.
std::vector<long> listPassOrder(const std::string& bytes) {
    testsupport::TempDir dir;
    testsupport::writeFile(dir / "KURSOMATIK.DAT", bytes);
    RecordFileState file;
    EXPECT_EQ(openForListPass(file, dir / "KURSOMATIK.DAT"), "");
    CurrencyLists lists;
    for (long n = 1; n <= file.lSatzAnzahl; ++n)
        EXPECT_TRUE(fillRecordInLists(lists, file, n, RegionalSettings::german()));
    std::vector<long> order;
    for (const CurrencyEntry& entry : lists.all) order.push_back(entry.record);
    return order;
}

// Namesakes told apart by their rate, letters of other case and accents, a record that is in no
// currency window, and a fragment at the end that counts as a record.
TEST(ListOrder, IsTheOrderOfTheListPassAndFollowsEachRecordToItsNewPlace) {
    const std::string before = record("Euro", "2") + record("Zloty", "1") + record("Euro", "1") +
                               record("ärger", "1", "2") + record("Arger", "1") + record("EURO", "1") +
                               record("", "1") + record("Österreich", "1", "1").substr(0, 80);
    const std::vector<long> order = listOrder(before);
    EXPECT_EQ(order, listPassOrder(before));
    EXPECT_EQ(order, (std::vector<long>{7, 5, 4, 6, 3, 1, 8, 2}));
    // The import rewrites Kurs and Datum in place and appends: record 3's new rate puts it after its
    // namesake, and a new currency comes second.
    std::string after = before;
    after.replace(2 * kRecordLength, kRecordLength, record("Euro", "3"));
    after += record("Afghani", "1");
    const std::vector<long> moved = listOrder(after);
    EXPECT_EQ(moved, listPassOrder(after));
    for (const auto& [position, now] : std::initializer_list<std::pair<long, std::optional<long>>>{
             {0, 0}, {1, 2}, {4, 6}, {5, 5}, {7, 8}, {8, std::nullopt}, {-1, std::nullopt}}) {
        EXPECT_EQ(samePosition(order, moved, position), now) << position;
    }
    // A record that is gone points nowhere.
    EXPECT_EQ(samePosition(order, listOrder(before.substr(0, kRecordLength * 6)), 6), std::nullopt);
}

}  // namespace
}  // namespace kursomatik
