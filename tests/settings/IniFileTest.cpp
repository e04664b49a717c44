#include "IniFile.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "support/FileSizeLimit.h"
#include "support/TempDir.h"

namespace kursomatik {
namespace {

using testing::readFile;
using testing::writeFile;

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class Profile : public ::testing::Test {
  protected:
    std::filesystem::path ini() const { return dir_ / "Kursomatik.ini"; }
    std::string read(const std::string& key, const std::string& section = "Kursomatik") const {
        return getProfileString(ini(), section, key, "fehlt");
    }
    std::vector<std::string> files() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_.path())) {
            names.push_back(entry.path().filename());
        }
        return names;
    }
    testing::TempDir dir_;
};

TEST_F(Profile, ReadingBehavesLikeTheWindowsProfileFunctions) {
    struct Case {
        const char* name;
        std::optional<std::string> content;  // empty: no file
        std::string defaultValue;
        std::string expected;  // of the key stellen2 in the section Kursomatik
    };
    const std::string x200(200, 'x');
    const std::string x199(199, 'x');
    for (const auto& c :
         {Case{"missing file", std::nullopt, "vorher", "vorher"},
          {"missing section", "[Andere]\nstellen2=100\n", "vorher", "vorher"},
          {"missing key", "[Kursomatik]\nstellen1=1000\n", "vorher", "vorher"},
          {"default loses trailing blanks", std::nullopt, "  100   ", "  100"},
          {"empty value is no default", "[Kursomatik]\nstellen2=\n", "vorher", ""},
          {"case of names", "[KURSOMATIK]\nSTELLEN2=100\n", "", "100"},
          {"blanks around", "  [Kursomatik]  \n\t stellen2 \t=  1000  \n", "", "1000"},
          {"double quotes", "[Kursomatik]\nstellen2=\" 100 \"\n", "", " 100 "},
          {"single quotes", "[Kursomatik]\nstellen2='100'\n", "", "100"},
          {"unmatched quotes", "[Kursomatik]\nstellen2=\"100'\n", "", "\"100'"},
          {"equals sign in value", "[Kursomatik]\nstellen2=a=b\n", "", "a=b"},
          {"crlf", "[Kursomatik]\r\nstellen2=100\r\n", "", "100"},
          {"no final break", "[Kursomatik]\nstellen2=100", "", "100"},
          {"comment", "[Kursomatik]\n;stellen2=100\n", "v", "v"},
          {"key of the next section", "[Kursomatik]\nstellen1=1\n[Andere]\nstellen2=5\n", "v", "v"},
          {"first section of a name", "[Kursomatik]\nstellen2=100\n[kursomatik]\nstellen2=1000\n", "", "100"},
          {"first key of a name", "[Kursomatik]\nstellen2=100\nStellen2=1000\n", "", "100"},
          {"value of 200", "[Kursomatik]\nstellen2=" + x200 + "\n", "", x199},
          {"default of 201", std::nullopt, x200 + "y", x199}}) {
        std::filesystem::remove(ini());
        if (c.content) writeFile(ini(), *c.content);
        EXPECT_EQ(getProfileString(ini(), "Kursomatik", "stellen2", c.defaultValue), c.expected) << c.name;
    }
}

TEST_F(Profile, WritingCreatesTheFileWithSectionAndKey) {
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
    EXPECT_EQ(linesOf(readFile(ini())), (std::vector<std::string>{"[Kursomatik]", "stellen2=100"}));
}

TEST_F(Profile, WritingAddsAMissingSectionBehindTheOldContent) {
    const std::string before = "; von Hand\n[Andere]\nx=1";
    writeFile(ini(), before);
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen1", "1000"));
    EXPECT_EQ(readFile(ini()).substr(0, before.size()), before);
    EXPECT_EQ(read("stellen1"), "1000");
    EXPECT_EQ(read("x", "Andere"), "1");
}

TEST_F(Profile, WritingAddsAMissingKeyToItsOwnSection) {
    writeFile(ini(), "[Kursomatik]\nstellen1=1000\n\n[Andere]\nx=1\n");
    ASSERT_TRUE(writeProfileString(ini(), "kursomatik", "stellen2", "100"));
    EXPECT_EQ(readFile(ini()), "[Kursomatik]\nstellen1=1000\nstellen2=100\n\n[Andere]\nx=1\n");
}

TEST_F(Profile, WritingReplacesTheValueInPlaceAndKeepsEveryOtherLine) {
    const std::string before =
        "; Kursomatik, von Hand bearbeitet\n\n[Kursomatik]\nstellen1 = 1000\n  STELLEN2=1000   "
        "\noptionen2=1\n"
        "# kein Schlüssel\n\n[Andere]\nstellen2=5\n";
    writeFile(ini(), before);
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
    const auto oldLines = linesOf(before);
    const auto newLines = linesOf(readFile(ini()));
    ASSERT_EQ(newLines.size(), oldLines.size());
    for (std::size_t i = 0; i < oldLines.size(); ++i) {
        if (i != 4) {
            EXPECT_EQ(newLines[i], oldLines[i]) << "line " << i;
        }
    }
    EXPECT_EQ(read("stellen2"), "100");
    EXPECT_EQ(read("stellen2", "Andere"), "5");
}

TEST_F(Profile, AKeyAddedBehindALastLineWithoutBreakGetsALineOfItsOwn) {
    // Found by fuzzing: a last line ending in a lone carriage return took the new key onto itself.
    for (const std::string& last : {std::string("stellen1=1000"), std::string("stellen1=1000\r")}) {
        writeFile(ini(), "[Kursomatik]\n" + last);
        ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
        EXPECT_EQ(read("stellen2"), "100") << last;
        EXPECT_EQ(read("stellen1"), "1000") << last;
    }
}

TEST_F(Profile, WritingTheValueItHasLeavesTheFileAlone) {
    // Every start writes the options again; the file (its very inode) stays as it was.
    writeFile(ini(), "[Kursomatik]\nstellen2 = 100\n");
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
    struct stat first {};
    ::stat(ini().c_str(), &first);
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
    struct stat second {};
    ::stat(ini().c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);
    EXPECT_EQ(readFile(ini()), "[Kursomatik]\nstellen2=100\n");
}

TEST_F(Profile, CrlfFilesKeepCrlf) {
    writeFile(ini(), "[Kursomatik]\r\nstellen1=1000\r\n");
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen1", "10000"));
    ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", "stellen2", "100"));
    ASSERT_TRUE(writeProfileString(ini(), "Andere", "x", "1"));
    const std::string after = readFile(ini());
    EXPECT_EQ(after.substr(0, 44), "[Kursomatik]\r\nstellen1=10000\r\nstellen2=100\r\n");
    for (std::size_t at = after.find('\n'); at != std::string::npos; at = after.find('\n', at + 1)) {
        EXPECT_EQ(after[at - 1], '\r') << "line break at " << at;
    }
    EXPECT_EQ(read("x", "Andere"), "1");
}

TEST_F(Profile, WritingLeavesNoTemporaryFilesBehind) {
    for (const char* key : {"stellen1", "stellen2", "stellen1", "optionen1"}) {
        ASSERT_TRUE(writeProfileString(ini(), "Kursomatik", key, "1"));
    }
    EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
}

// A failed write names the file and leaves the old content and no temporary file behind.
class FailedProfileWrite : public Profile {
  protected:
    void SetUp() override { writeFile(ini(), kBefore); }
    void expectOldFileIntact(const Status& status) const {
        ASSERT_FALSE(status);
        EXPECT_NE(status.error().find("Die Datei \u201E" + ini().string() + "\u201C"), std::string::npos)
            << status.error();
        EXPECT_EQ(readFile(ini()), kBefore);
        EXPECT_EQ(files(), std::vector<std::string>{"Kursomatik.ini"});
    }
    static constexpr const char* kBefore = "[Kursomatik]\nstellen2=1000\n";
};

TEST_F(FailedProfileWrite, ReadOnlyFolder) {
    if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
    namespace fs = std::filesystem;
    fs::permissions(dir_.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Status status = writeProfileString(ini(), "Kursomatik", "stellen2", "100");
    fs::permissions(dir_.path(), fs::perms::owner_all);
    expectOldFileIntact(status);
}

// The disk fills up half-way through the write; the file size limit binds root too.
TEST_F(FailedProfileWrite, FullDisk) {
    const Status status = [&] {
        const testing::FileSizeLimit full(16);
        return writeProfileString(ini(), "Kursomatik", "stellen2", "100");
    }();
    expectOldFileIntact(status);
}

}  // namespace
}  // namespace kursomatik
