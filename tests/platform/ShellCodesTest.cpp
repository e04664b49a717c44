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

TEST(ShellCodeOfXdgOpen, MapsOutcomesOntoShellCodesOfTheSameMeaningAndOthersOntoTheirNegatives) {
    struct Case {
        HelperEnd end;
        int status;
        int shellCode;
    };
    for (const Case& c :
         {Case{HelperEnd::NotStarted, 0, 31}, Case{HelperEnd::Exited, 3, 31}, Case{HelperEnd::Exited, 2, 2},
          Case{HelperEnd::Exited, 1, -1}, Case{HelperEnd::Exited, 4, -4}, Case{HelperEnd::Exited, 40, -40},
          Case{HelperEnd::Exited, 127, -127}, Case{HelperEnd::Killed, 9, -137},
          Case{HelperEnd::Killed, 15, -143}}) {
        EXPECT_EQ(shellCodeOfXdgOpen(c.end, c.status), c.shellCode)
            << static_cast<int>(c.end) << " " << c.status;
    }
    EXPECT_GT(shellCodeOfXdgOpen(HelperEnd::Exited, 0), 32);
    EXPECT_GT(shellCodeOfXdgOpen(HelperEnd::StillRunning, 0), 32);
}

TEST(ShellCodeOfXdgOpen, EveryFailingExitAndEverySignalIsAFailure) {
    for (int status = 1; status <= 255; ++status) {
        EXPECT_LE(shellCodeOfXdgOpen(HelperEnd::Exited, status), 32) << "exit status " << status;
    }
    for (int signal = 0; signal <= 64; ++signal) {
        EXPECT_LE(shellCodeOfXdgOpen(HelperEnd::Killed, signal), 32) << "signal " << signal;
    }
}

}  // namespace
}  // namespace kursomatik
