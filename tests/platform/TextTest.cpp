// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <set>
#include <vector>

#include "platform/CodePage1252.h"
#include "platform/Collation.h"
#include "platform/RegionalSettings.h"
#include "platform/ShellCodes.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"
#include "platform/XdgFolders.h"

namespace kursomatik {
namespace {

TEST(CodePage1252, UmlautsEuroSignAndQuotesAreOneByteEachAndEveryByteSurvives) {
    using C = std::pair<std::string, std::string>;
    for (const auto& [utf8, bytes] :
         {C("Österreich Maß", "\xD6sterreich Ma\xDF"), C("\u20AC \u201Ej\u201C", "\x80 \x84j\x93"),
          C("\u0141\u00F3 \u017A", "?\xF3 ?"), C("\xFF\xFE", "??")}) {
        EXPECT_EQ(cp1252::fromUtf8(utf8), bytes) << utf8;
    }
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    EXPECT_EQ(utf8::length("Dänische Krone"), 14u);
    EXPECT_EQ(utf8::fit("Ä", 3) + utf8::fit("Größenwahn", 4), "Ä  Größ");
    EXPECT_EQ(utf8::mid("aäbß", 1, 2) + utf8::right("Zeile 12", 3), "äb 12");
    EXPECT_EQ(utf8::toUpper("dem ä \u0080\u0800\U00010000"), "DEM Ä \u0080\u0800\U00010000");
}

TEST(Collation, GermanNamesSortAsAUserLooksThemUpInATotalOrder) {
    std::vector<std::string> names = {"Zypern-Pfund",  "Österreichischer Schilling",
                                      "euro",          "Dänische Krone",
                                      "Deutsche Mark", "Euro",
                                      "Ostmark",       "Åland-Mark",
                                      "Belga"};
    std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return collate(a, b) < 0; });
    EXPECT_EQ(names,
              (std::vector<std::string>{"Åland-Mark", "Belga", "Dänische Krone", "Deutsche Mark", "Euro",
                                        "euro", "Österreichischer Schilling", "Ostmark", "Zypern-Pfund"}));
    const std::vector<std::string> texts = {"a", "A", "ä", "Ä", "ae", "ss", "ß", "", " ", "a ", "ab"};
    for (const auto& a : texts) {
        for (const auto& b : texts) {
            EXPECT_EQ(collate(a, b) == 0, a == b) << a << " / " << b;
            EXPECT_EQ(collate(a, b), -collate(b, a)) << a << " / " << b;
        }
    }
    EXPECT_LT(collate("Euro      ", "Euroland  "), 0);  // padded names keep the order
    // Accents before case: the grave accent before the acute one whatever their case (bytes say otherwise).
    EXPECT_LT(collate("à", "Á"), 0);
}

TEST(ShellCodes, NamesOfTheTableAndXdgOpenOutcomesOfTheSameMeaning) {
    EXPECT_EQ(GetErrorString(31) + "|" + GetErrorString(INT_MIN),
              "SE_ERR_NOASSOC|Unbekannter Fehler No.: -2147483648");
    using E = std::tuple<HelperEnd, int, int>;
    for (const auto& [end, status, shellCode] :
         {E(HelperEnd::Exited, 2, 2), E(HelperEnd::Exited, 3, 31), E(HelperEnd::Exited, 127, -127),
          E(HelperEnd::Killed, 9, -137), E(HelperEnd::NotStarted, 0, 31)}) {
        EXPECT_EQ(shellCodeOfXdgOpen(end, status), shellCode) << status;
    }
    EXPECT_GT(shellCodeOfXdgOpen(HelperEnd::Exited, 0), 32);
}

// Where no German messages of the C library are installed, every error a user can meet with a file
// still reads German: none falls back to the library's English text.
TEST(SystemError, EveryFileErrorAUserCanMeetHasItsOwnGermanText) {
    std::set<std::string> texts;
    for (const int error :
         {ENOENT,       EACCES, ENOSPC, EDQUOT, EROFS,   ELOOP,  EISDIR, ENOTDIR, EFBIG,  EIO,
          ENAMETOOLONG, EBUSY,  EEXIST, EXDEV,  ETXTBSY, ENOMEM, ENXIO,  ESTALE,  EMFILE, EPIPE}) {
        const std::string text = describeErrno(error);
        EXPECT_EQ(text.find("Systemfehler"), std::string::npos) << error << ": " << text;
        texts.insert(text);
    }
    EXPECT_EQ(texts.size(), 20u);  // each its own
    EXPECT_EQ(describeErrno(EPERM), describeErrno(EACCES));
}

TEST(XdgBaseFolder, AnAbsoluteValueCountsElseTheDefaultBelowAnAbsoluteHome) {
    using C = std::tuple<const char*, const char*, const char*>;
    for (const auto& [value, home, folder] :
         {C("/daten", "/home/max", "/daten"), C("./daten", "/home/max", "/home/max/.local/share"),
          C(nullptr, "home/max", "")}) {
        EXPECT_EQ(xdgBaseFolder(value, home, ".local/share").string(), folder) << (value ? value : "-");
    }
}

}  // namespace
}  // namespace kursomatik
