// SPDX-License-Identifier: GPL-3.0-or-later
// Every example of the command in the README and the manual pages, run as the reader would run it and
// compared with the output the document shows. An example is a line "$ kursomatik-rechner ..." in a
// code block (an indented block of the README, a .nf block of a manual page) followed by its output;
// the output ends at the next "$ " line, at a blank line, or where the block ends.
#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <sstream>
#include <vector>

#include "tests/rates/RateFiles.h"
#include "tests/support/TempDir.h"

namespace kursomatik::testsupport {
namespace {

namespace fs = std::filesystem;

const std::string kPrompt = "$ kursomatik-rechner";

struct Example {
    std::string where;  // document and line
    std::string command;
    std::string shown;  // each line with its line feed
};

// The text a line of groff source prints in a .nf block. Examples use only the escapes \- \e \&, so
// that the source stays readable; any other backslash is reported rather than guessed.
std::string printed(const std::string& line) {
    std::string text;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char escaped = line[i] == '\\' && i + 1 < line.size() ? line[++i] : 0;
        if (escaped == 0) {
            text += line[i];
        } else if (escaped == '-' || escaped == 'e') {
            text += escaped == '-' ? '-' : '\\';
        } else {
            EXPECT_EQ(escaped, '&') << "an escape that examples do not use: " << line;
        }
    }
    return text;
}

// The examples of a document with their output; `prompts` counts the prompts wherever they stand.
std::vector<Example> examplesIn(const std::string& name, const std::string& text, bool groff, int& prompts) {
    std::vector<Example> examples;
    std::istringstream in(text);
    bool inBlock = false, inOutput = false;
    int number = 0;
    for (std::string line; std::getline(in, line);) {
        ++number;
        const std::string plain = groff ? std::regex_replace(line, std::regex(R"(\\-)"), "-") : line;
        for (auto at = plain.find(kPrompt); at != std::string::npos; at = plain.find(kPrompt, at + 1))
            ++prompts;
        inBlock = groff && (line.starts_with(".nf") || (inBlock && !line.starts_with(".fi")));
        std::string code;
        if (groff && inBlock && !line.starts_with(".") && !line.starts_with("'")) code = printed(line);
        if (!groff && line.starts_with("    ")) code = line.substr(4);
        if (code.starts_with(kPrompt + " ")) {
            examples.push_back({name + ":" + std::to_string(number), code.substr(2), ""});
            inOutput = true;
        } else if (code.empty() || code.starts_with("$ ")) {
            inOutput = false;
        } else if (inOutput) {
            examples.back().shown += code + "\n";
        }
    }
    return examples;
}

// The reference-rate file the import example takes, as the ECB's eurofxref.zip packs it: a daily CSV
// file. The rates are made up for the example; the table gets 4 of them, and 2 currencies are new.
const std::string kExampleCsv =
    "Date, USD, JPY, GBP, CHF, TRY, ZAR, \n"
    "13 February 2026, 1.1850, 183.42, 0.8702, 0.9190, 51.2345, 20.4810, \n";

// The command as a reader runs it: in the home folder, with the shipped table and settings in the
// data folder as the first start leaves them, the files the examples name, the C locale and nothing
// else of this environment. The documents show the reader's home folder as /home/anna.
std::string run(const std::string& command) {
    const TempDir dir;
    const fs::path home = dir / "home";
    const fs::path data = home / ".local" / "share" / "Kursomatik";
    fs::create_directories(home / ".config");
    fs::create_directories(data);
    fs::copy_file(KURSOMATIK_SOURCE_DIR "/data/KURSOMATIK.DAT", data / "KURSOMATIK.DAT");
    fs::copy_file(KURSOMATIK_SOURCE_DIR "/data/Kursomatik.ini", data / "Kursomatik.ini");
    writeFile(home / ".config" / "WIN.INI",
              "[Kursomatik]\nIniDatei=" + (data / "Kursomatik.ini").string() + "\n");
    writeZip(home / "eurofxref.zip", {{"eurofxref.csv", kExampleCsv}});
    writeFile(dir / "beispiel.sh", command + "\n");
    const std::string shell = "cd '" + home.string() + "' && env -i HOME='" + home.string() +
                              "' LC_ALL=C PATH=" + fs::path(KURSOMATIK_RECHNER).parent_path().string() +
                              ":/usr/bin:/bin sh '" + (dir / "beispiel.sh").string() + "' 2>&1";
    FILE* pipe = ::popen(shell.c_str(), "r");
    std::string output;
    for (int c; (c = std::fgetc(pipe)) != EOF;) output += static_cast<char>(c);
    ::pclose(pipe);
    for (std::size_t at; (at = output.find(home.string())) != std::string::npos;)
        output.replace(at, home.string().size(), "/home/anna");
    return output;
}

TEST(DocumentedExamples, EveryExampleOfTheCommandPrintsWhatItsDocumentShows) {
    struct Document {
        std::string path;
        bool groff;
        int least;  // examples it must have at the least
    };
    int total = 0;
    for (const Document& document : {Document{KURSOMATIK_SOURCE_DIR "/README.md", false, 3},
                                     Document{KURSOMATIK_MAN_DIR "/kursomatik-rechner.1", true, 5},
                                     Document{KURSOMATIK_MAN_DIR "/kursomatik.1", true, 0}}) {
        const std::string name = fs::path(document.path).filename();
        const std::string text = readFile(document.path);
        int prompts = 0;
        const std::vector<Example> examples = examplesIn(name, text, document.groff, prompts);
        EXPECT_EQ(static_cast<int>(examples.size()), prompts)
            << name << ": an example stands outside a code block";
        EXPECT_GE(static_cast<int>(examples.size()), document.least) << name;
        for (const Example& example : examples) {
            EXPECT_FALSE(example.shown.empty())
                << example.where << ": no output shown for " << example.command;
            EXPECT_EQ(run(example.command), example.shown) << example.where << ": " << example.command;
        }
        total += static_cast<int>(examples.size());
    }
    std::printf("%d documented examples run\n", total);
}

}  // namespace
}  // namespace kursomatik::testsupport
