// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <vector>

#include "conversion/NumberFormat.h"
#include "data/CurrencyTableSource.h"
#include "platform/RegionalSettings.h"
#include "settings/IniFile.h"
#include "store/ListLine.h"
#include "store/RateCodec.h"

namespace kursomatik {
namespace {

std::string readData(const std::string& name) {
    std::ifstream in(std::string(KURSOMATIK_DATA_DIR) + "/" + name, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

TEST(ShippedTable, IsExactlyWhatTheEncoderBuildsFromItsSource) {
    const auto built = buildCurrencyTable(readData("currencies.csv"));
    ASSERT_TRUE(built) << built.error();
    const std::string shipped = readData("KURSOMATIK.DAT");
    EXPECT_EQ(shipped.size(), built->size());
    EXPECT_TRUE(shipped == *built) << "rebuild: kursomatik-tabelle data/currencies.csv data/KURSOMATIK.DAT";
}

TEST(ShippedTable, HoldsTheEuroAndTheFixedRatesOfTheMembers) {
    const std::string bytes = readData("KURSOMATIK.DAT");
    ASSERT_EQ(bytes.size() % kRecordLength, 0u);
    std::string found;
    for (std::size_t at = 0; at < bytes.size(); at += kRecordLength) {
        const CurrencyRecord r = decodeRecord(std::string_view(bytes).substr(at, kRecordLength));
        const std::string iso = fieldValue(r.ISO);
        if (iso == "EUR" || iso == "DEM" || iso == "ITL" || iso == "IEP" || iso == "USD")
            found += iso + " " +
                     formatPlainDouble(*decodeRate(r.Kurs, RegionalSettings::german()),
                                       RegionalSettings::german()) +
                     " " + fieldValue(r.EWWU) + "; ";
    }
    EXPECT_EQ(found, "EUR 1 1; DEM 1,95583 1; ITL 1936,27 1; IEP 0,787564 1; USD 1,1794 0; ");
}

TEST(ShippedTable, DefaultSettingsStartWithDeutscheMarkToEuro) {
    const std::string bytes = readData("KURSOMATIK.DAT");
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < bytes.size(); at += kRecordLength) {
        lines.push_back(buildListLine(decodeRecord(std::string_view(bytes).substr(at, kRecordLength)),
                                      static_cast<long>(at / kRecordLength + 1)));
    }
    std::sort(lines.begin(), lines.end(),
              [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    const auto ini = std::filesystem::path(KURSOMATIK_DATA_DIR) / "Kursomatik.ini";
    const auto position = [&](const char* key) {
        return std::stoul(getProfileString(ini, "Kursomatik", key, "-1"));
    };
    ASSERT_LT(position("startwaehrung"), lines.size());
    ASSERT_LT(position("ausgabewaehrung"), lines.size());
    EXPECT_EQ(lineIso(lines[position("startwaehrung")]).substr(0, 3), "DEM");
    EXPECT_EQ(lineIso(lines[position("ausgabewaehrung")]).substr(0, 3), "EUR");
    EXPECT_EQ(getProfileString(ini, "Kursomatik", "stellen1", ""), "1000");
    EXPECT_EQ(getProfileString(ini, "Kursomatik", "stellen2", ""), "100");
}

}  // namespace
}  // namespace kursomatik
