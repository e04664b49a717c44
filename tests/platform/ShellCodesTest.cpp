#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "ShellCodes.h"

namespace kursomatik {
namespace {

TEST(GetErrorString, NamesEveryShellCodeOfTheTable) {
    struct Case {
        int code;
        const char* name;
    };
    for (const Case& c :
         {Case{2, "ERROR_FILE_NOT_FOUND"}, Case{3, "ERROR_PATH_NOT_FOUND"}, Case{5, "SE_ERR_ACCESSDENIED"},
          Case{8, "SE_ERR_OOM (Not enough Memory)"}, Case{11, "ERROR_BAD_FORMAT"}, Case{26, "SE_ERR_SHARE"},
          Case{27, "SE_ERR_ASSOCINCOMPLETE"}, Case{28, "SE_ERR_DDETIMEOUT"}, Case{29, "SE_ERR_DDEFAIL"},
          Case{30, "SE_ERR_DDEBUSY"}, Case{31, "SE_ERR_NOASSOC"}, Case{32, "SE_ERR_DLLNOTFOUND"}}) {
        EXPECT_EQ(GetErrorString(c.code), c.name) << c.code;
    }
}

TEST(GetErrorString, AnyOtherCodeIsUnknownWithItsSignedNumber) {
    struct Case {
        int code;
        const char* text;
    };
    for (const Case& c : {Case{0, "Unbekannter Fehler No.: 0"}, Case{1, "Unbekannter Fehler No.: 1"},
                          Case{4, "Unbekannter Fehler No.: 4"}, Case{25, "Unbekannter Fehler No.: 25"},
                          Case{33, "Unbekannter Fehler No.: 33"}, Case{-1, "Unbekannter Fehler No.: -1"},
                          Case{INT_MIN, "Unbekannter Fehler No.: -2147483648"},
                          Case{INT_MAX, "Unbekannter Fehler No.: 2147483647"}}) {
        EXPECT_EQ(GetErrorString(c.code), c.text) << c.code;
    }
}

TEST(ShellCodeOfXdgOpen, MapsOutcomesOntoShellCodesOfTheSameMeaning) {
    struct Case {
        bool started;
        int exitCode;
        int shellCode;
    };
    for (const Case& c : {Case{false, 0, 31}, Case{true, 3, 31}, Case{true, 2, 2}, Case{true, 1, 1},
                          Case{true, 4, 4}, Case{true, 127, 127}}) {
        EXPECT_EQ(shellCodeOfXdgOpen(c.started, c.exitCode), c.shellCode) << c.started << " " << c.exitCode;
    }
    EXPECT_GT(shellCodeOfXdgOpen(true, 0), 32);
}

}  // namespace
}  // namespace kursomatik
