#include <gtest/gtest.h>

#include "XdgFolders.h"

namespace kursomatik {
namespace {

TEST(XdgBaseFolder, AnAbsoluteValueCountsElseTheDefaultBelowAnAbsoluteHome) {
    struct Case {
        const char* value;
        const char* home;
        const char* folder;
    };
    for (const Case& c :
         {Case{"/daten", "/home/max", "/daten"}, Case{nullptr, "/home/max", "/home/max/.local/share"},
          Case{"", "/home/max", "/home/max/.local/share"},
          Case{"daten", "/home/max", "/home/max/.local/share"},
          Case{"./daten", "/home/max", "/home/max/.local/share"},
          Case{"~/daten", "/home/max", "/home/max/.local/share"},
          Case{nullptr, "/home/a\\b\nc", "/home/a\\b\nc/.local/share"}, Case{"/daten", nullptr, "/daten"},
          Case{nullptr, nullptr, ""}, Case{nullptr, "home/max", ""}}) {
        EXPECT_EQ(xdgBaseFolder(c.value, c.home, ".local/share").string(), c.folder)
            << (c.value ? c.value : "(unset)") << " " << (c.home ? c.home : "(unset)");
    }
}

}  // namespace
}  // namespace kursomatik
