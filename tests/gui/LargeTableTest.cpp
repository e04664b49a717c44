// SPDX-License-Identifier: GPL-3.0-or-later
#include <QRegularExpression>

#include "platform/qt/LineList.h"
#include "tests/gui/ProgramTest.h"
#include "tests/support/Deadline.h"

namespace kursomatik::testing {
namespace {

using LargeTable = ProgramTest;

// The record number of a list line has three digits: a longer table is listed up to record 999 in the
// time of 999 records however long it is, and the user hears of it once, not at every list pass.
TEST_F(LargeTable, ATableOfMoreThan999RecordsIsListedUpToRecord999AndReportedOnce) {
    std::vector<Currency> table;
    for (int n = 1; n <= 999; ++n)
        table.push_back({"Währung " + std::to_string(n), "W" + std::to_string(n % 100), "1"});
    writeTable(table);
    writeIni(kStartIni);
    std::filesystem::resize_file(dir / kCurrencyFileName, std::uintmax_t{2} << 30);  // 2 GB, sparse
    {
        const Deadline slow(30);
        start();
        press(&memberWindow(), "cmdAbbrechenUmt");  // a second list pass
    }
    ASSERT_EQ(windows.messages.size(), 1u) << windows.messageTexts().join(" | ").toStdString();
    EXPECT_TRUE(windows.shown(QString::fromUtf8("Angezeigt werden nur die ersten 999")));
    const QStringList shown = names(find<LineList>("lstversteckt"));
    EXPECT_EQ(shown.size(), 999);
    EXPECT_EQ(shown.filter(QRegularExpression("^Währung 999$")).size(), 1);
}

}  // namespace
}  // namespace kursomatik::testing
