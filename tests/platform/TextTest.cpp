// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <set>

#include "platform/CodePage1252.h"
#include "platform/Collation.h"
#include "platform/FileOperations.h"
#include "platform/ShellCodes.h"
#include "platform/SystemError.h"
#include "platform/Utf8.h"

namespace kursomatik {
namespace {

TEST(CodePage1252, UmlautsEuroSignAndQuotesAreOneByteEachAndEveryByteSurvives) {
    using C = std::pair<std::string, std::string>;
    for (const auto& [utf8, bytes] :
         {C("Österreich Maß", "\xD6sterreich Ma\xDF"), C("\u20AC \u201Ej\u201C", "\x80 \x84j\x93"),
          C("\u0141\u00F3 \u017A", "?\xF3 ?"), C("\xFF\xFE", "??")})
        EXPECT_EQ(cp1252::fromUtf8(utf8), bytes) << utf8;
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(cp1252::fromUtf8(cp1252::toUtf8(all)), all);
    EXPECT_EQ(utf8::fit("Ä", 3) + utf8::fit("Größenwahn", 4), "Ä  Größ");
    EXPECT_EQ(utf8::mid("aäbß", 1, 2) + utf8::right("Zeile 12", 3), "äb 12");
    EXPECT_EQ(utf8::toUpper("dem ä \u0080\u0800\U00010000"), "DEM Ä \u0080\u0800\U00010000");
    // The surrogates' block is no character, up to its last code point; its neighbours are. Nor is a
    // continuation byte without its lead.
    EXPECT_EQ(utf8::toUpper("\xED\x9F\xBF \xED\xA0\x80 \xED\xBF\xBF \xEE\x80\x80 \x80"),
              "\xED\x9F\xBF ? ? \xEE\x80\x80 ?");
}

TEST(Collation, GermanNamesSortAsAUserLooksThemUpInATotalOrder) {
    std::vector<std::string> names = {"Zypern-Pfund",  "Österreich", "euro",    "Dänische Krone",
                                      "Deutsche Mark", "Euro",       "Ostmark", "Åland-Mark"};
    std::ranges::sort(names, [](const auto& a, const auto& b) { return collate(a, b) < 0; });
    EXPECT_EQ(names, (std::vector<std::string>{"Åland-Mark", "Dänische Krone", "Deutsche Mark", "Euro",
                                               "euro", "Österreich", "Ostmark", "Zypern-Pfund"}));
    // The sort key orders as the comparison, also across the lengths of its byte pattern.
    std::vector<std::string> texts = {"a", "A", "ä", "Ä", "ae", "ss", "ß", "", " ", "a ", "ab"};
    texts.insert(texts.end(), {"\x01", "a\x7f", "a\u0080", "a\u07ff", "Ž", "a\u0800\u20ac", "a\U00010000",
                               "\U00010FC0", "\U00011000"});
    for (const auto& a : texts)
        for (const auto& b : texts) {
            const int byKey = collationKey(a).compare(collationKey(b));
            EXPECT_TRUE((collate(a, b) == 0) == (a == b) && collate(a, b) == -collate(b, a) &&
                        (byKey > 0) - (byKey < 0) == collate(a, b))
                << a << " / " << b;
        }
    EXPECT_LT(collate("Euro      ", "Euroland  "), 0);  // padded names keep the order
    // Accents before case: the grave accent before the acute one whatever their case (bytes say otherwise).
    EXPECT_LT(collate("à", "Á"), 0);
}

// Where no German messages of the C library are installed, every error a user can meet with a file
// still reads German, each in words of its own; none falls back to the library's English text.
// How xdg-open ended, named as the about window names a failed hand-over.
TEST(ShellCodes, XdgOpensEndsReadAsTheShellsCodesOfTheSameMeaning) {
    using C = std::tuple<HelperEnd, int, const char*>;
    for (const auto& [end, status, named] : {C(HelperEnd::Exited, 2, "ERROR_FILE_NOT_FOUND"),
                                             C(HelperEnd::Exited, 1, "Unbekannter Fehler No.: -1"),
                                             C(HelperEnd::Killed, 9, "Unbekannter Fehler No.: -137")})
        EXPECT_EQ(GetErrorString(shellCodeOfXdgOpen(end, status)), named) << status;
}

TEST(SystemError, EveryFileErrorAUserCanMeetHasItsOwnGermanText) {
    std::set<std::string> texts;
    const auto errors = {ENOENT,  EACCES, ENOSPC, EDQUOT,       EROFS,  ELOOP,  EISDIR,
                         ENOTDIR, EFBIG,  EIO,    ENAMETOOLONG, EBUSY,  EEXIST, EXDEV,
                         ETXTBSY, ENOMEM, ENXIO,  ESTALE,       EMFILE, EPIPE};
    for (const int error : errors) {
        texts.insert(describeErrno(error));
        EXPECT_EQ(describeErrno(error).find("Systemfehler"), std::string::npos) << error;
    }
    EXPECT_EQ(texts.size(), errors.size());
    EXPECT_EQ(describeErrno(EPERM), describeErrno(EACCES));
    // A file name in a message keeps its blanks and letters; control characters cannot mislead.
    EXPECT_EQ(inQuotes("Meine Kurse/a\tb\x7f\u0085\u00a0é"), "„Meine Kurse/a?b??\u00a0é“");
    // A read that fails is told at once; only an interrupted one is tried again.
    char byte = 0;
    ::alarm(5);  // a read tried for ever ends the test program
    EXPECT_EQ(readAt(-1, &byte, 1, 0).error(), describeErrno(EBADF));
    ::alarm(0);
    // A file that tells no size (as /proc's) is read piece by piece, each piece where it belongs.
    std::string symbols(300001, '\0');
    std::ifstream("/proc/kallsyms").read(symbols.data(), 300001);
    const auto read = readRegularFile("/proc/kallsyms", 300000);
    EXPECT_TRUE(read && *read == symbols) << (read ? "other bytes" : read.error());
}

}  // namespace
}  // namespace kursomatik
