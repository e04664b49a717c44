// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "data/CurrencyTableSource.h"
#include "platform/FileOperations.h"
#include "settings/IniFile.h"
#include "store/ListLine.h"

namespace kursomatik {
namespace {

std::string readData(const std::string& name) {
    const auto data = readWholeFile(std::filesystem::path(KURSOMATIK_DATA_DIR) / name);
    return data ? *data : data.error();
}

TEST(ShippedTable, IsExactlyWhatTheEncoderBuildsFromItsSource) {
    const auto built = buildCurrencyTable(readData("currencies.csv"));
    ASSERT_TRUE(built) << built.error();
    EXPECT_TRUE(readData("KURSOMATIK.DAT") == *built)
        << "rebuild: kursomatik-tabelle data/currencies.csv data/KURSOMATIK.DAT";
}

TEST(ShippedTable, HoldsTheFixedRatesAndTheSettingsStartWithDeutscheMarkToEuro) {
    const std::string bytes = readData("KURSOMATIK.DAT");
    std::vector<std::string> lines;
    std::string found;
    for (std::size_t at = 0; at < bytes.size(); at += kRecordLength) {
        const CurrencyRecord r = decodeRecord(std::string_view(bytes).substr(at, kRecordLength));
        lines.push_back(buildListLine(r, static_cast<long>(at / kRecordLength + 1)));
        const std::string iso = fieldValue(r.ISO);
        if (iso.size() == 3 && std::string("EUR DEM ITL IEP USD").find(iso) != std::string::npos)
            found += iso + " " + fieldValue(r.Kurs) + " " + fieldValue(r.EWWU) + "; ";
    }
    EXPECT_EQ(found, "EUR 1000000 1; DEM 1955830 1; ITL 1936270000 1; IEP 787564 1; USD 1179400 0; ");
    std::sort(lines.begin(), lines.end(),
              [](const auto& a, const auto& b) { return compareListLines(a, b) < 0; });
    const auto ini = std::filesystem::path(KURSOMATIK_DATA_DIR) / "Kursomatik.ini";
    const auto value = [&](const char* key) { return getProfileString(ini, "Kursomatik", key, "-1"); };
    const auto iso = [&](const char* key) {
        return std::stoul(value(key)) < lines.size() ? lineIso(lines[std::stoul(value(key))]).substr(0, 3)
                                                     : "";
    };
    EXPECT_EQ(iso("startwaehrung") + iso("ausgabewaehrung") + value("stellen1") + value("stellen2"),
              "DEMEUR1000100");
}

}  // namespace
}  // namespace kursomatik
