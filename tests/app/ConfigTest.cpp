#include "app/Config.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using testing_support::CoutCapture;
using testing_support::TempFile;

constexpr int32_t screenWidth = 1920;
constexpr int32_t screenHeight = 1080;

// Reads the text as a configuration file into the config, on a 1920 by 1080
// screen, and returns what was printed.
std::string readText(Config& config, const std::string& text) {
    TempFile file(text, "config.txt");
    CoutCapture output;
    config.read(file.path().c_str(), screenWidth, screenHeight);
    std::string printed = output.text();
    const std::string& path = file.path();
    for (std::size_t at = printed.find(path); at != std::string::npos; at = printed.find(path)) {
        printed.replace(at, path.size(), "config.txt");
    }
    return printed;
}

struct Fields {
    int32_t screenWidth;
    int32_t screenHeight;
    int32_t bitsPerPixel;
    int32_t refreshRate;
    int32_t fullScreen;
    std::string windowName;
    std::string dataPath;
};

void expectFields(const Config& config, const Fields& expected) {
    EXPECT_EQ(config.screenWidth, expected.screenWidth);
    EXPECT_EQ(config.screenHeight, expected.screenHeight);
    EXPECT_EQ(config.bitsPerPixel, expected.bitsPerPixel);
    EXPECT_EQ(config.refreshRate, expected.refreshRate);
    EXPECT_EQ(config.fullScreen, expected.fullScreen);
    EXPECT_EQ(config.windowName, expected.windowName);
    EXPECT_EQ(config.dataPath, expected.dataPath);
}

TEST(Config, ReadResetsTheNumbersButKeepsTheWords) {
    Config config;
    EXPECT_EQ(config.screenHeight, 480);
    config.screenWidth = 1;
    config.fullScreen = 1;
    config.windowName = "kept";
    config.dataPath = "also kept";
    EXPECT_EQ(readText(config, ""), "");
    expectFields(config, {640, 320, 32, 60, 0, "kept", "also kept"});
}

TEST(Config, MissingFileLeavesTheResetValuesWithoutAWord) {
    Config config;
    config.fullScreen = 1;
    CoutCapture output;
    config.read("no-such-folder/config.txt", screenWidth, screenHeight);
    expectFields(config, {640, 320, 32, 60, 0, "", ""});
    EXPECT_EQ(output.text(), "");
}

TEST(Config, ReadsEveryKey) {
    Config config;
    readText(config, "screenWidth 1024\nscreenHeight\t768 bitsPerPixel 16\r\nrefreshRate 75 "
                     "fullScreen 0 windowName hebview dataPath data/Graphs");
    expectFields(config, {1024, 768, 16, 75, 0, "hebview", "data/Graphs"});
}

struct Case {
    std::string text;
    int32_t width;
    int32_t height;
    std::string windowName;
};

void PrintTo(const Case& words, std::ostream* out) {
    *out << ::testing::PrintToString(words.text);
}

class ConfigWords : public testing::TestWithParam<Case> {};

TEST_P(ConfigWords, GiveTheWindow) {
    Config config;
    EXPECT_EQ(readText(config, GetParam().text), "");
    EXPECT_EQ(config.screenWidth, GetParam().width);
    EXPECT_EQ(config.screenHeight, GetParam().height);
    EXPECT_EQ(config.windowName, GetParam().windowName);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ConfigWords,
    testing::Values(
        // Full screen with no standard mode takes the screen's size.
        Case{"fullScreen 1", screenWidth, screenHeight, ""},
        Case{"fullScreen 2", screenWidth, screenHeight, ""},
        Case{"fullScreen -1 screenWidth 1000 screenHeight 700", screenWidth, screenHeight, ""},
        Case{"fullScreen 1 screenWidth 800 screenHeight 600", 800, 600, ""},
        Case{"screenHeight 1024 fullScreen 1 screenWidth 1280", 1280, 1024, ""},
        Case{"fullScreen 0 screenWidth 1000", 1000, 320, ""},
        // One word per value; the next word is read as a key.
        Case{"windowName My Viewer", 640, 320, "My"},
        Case{"windowName My screenWidth 800", 800, 320, "My"},
        Case{"title hebview screenWidth 800", 800, 320, ""},
        Case{"title screenWidth 800", 800, 320, ""}, Case{"screenwidth 800", 640, 320, ""},
        Case{"SCREENWIDTH 800 ScreenHeight 600", 640, 320, ""},
        // An integer stops where its digits do.
        Case{"screenWidth 800px", 800, 320, ""},
        Case{"screenWidth 800screenHeight 600", 800, 600, ""},
        Case{"screenWidth +900 screenHeight -5", 900, -5, ""},
        Case{"screenWidth 700 screenWidth 900", 900, 320, ""},
        Case{"windowName One windowName Two", 640, 320, "Two"},
        // Word keys match in their case only, as the number keys do.
        Case{"windowname My", 640, 320, ""},
        Case{"WINDOWNAME My windowName Ours", 640, 320, "Ours"},
        // A key at the end with no value leaves its field as it was.
        Case{"screenWidth 800 windowName", 800, 320, ""},
        Case{"screenWidth 800 screenHeight", 800, 320, ""}, Case{"   \n\t\r\n  ", 640, 320, ""}),
    [](const testing::TestParamInfo<Case>& info) { return "Case" + std::to_string(info.index); });

TEST(Config, ValueThatIsNoIntegerIsSkippedWithAWarning) {
    Config config;
    EXPECT_EQ(readText(config, "screenWidth abc screenHeight 600 refreshRate + bitsPerPixel "
                               "+-8 fullScreen 99999999999 refreshRate -"),
              "config.txt: screenWidth needs an integer, skipping \"abc\"\n"
              "config.txt: refreshRate needs an integer, skipping \"+\"\n"
              "config.txt: bitsPerPixel needs an integer, skipping \"+-8\"\n"
              "config.txt: fullScreen needs an integer, skipping \"99999999999\"\n"
              "config.txt: refreshRate needs an integer, skipping \"-\"\n");
    expectFields(config, {640, 600, 32, 60, 0, "", ""});
}

TEST(Config, DataPathMatchesInItsCaseOnly) {
    Config config;
    EXPECT_EQ(readText(config, "datapath /lower DATAPATH /upper"), "");
    EXPECT_EQ(config.dataPath, "");
    EXPECT_EQ(readText(config, "DataPath /mixed dataPath /right"), "");
    EXPECT_EQ(config.dataPath, "/right");
}

TEST(Config, AWindowLargerThanTheScreenIsClampedWithOneWarning) {
    Config config;
    EXPECT_EQ(readText(config, "screenWidth 32767 screenHeight 32767"),
              "config.txt: a window of 32767 by 32767 does not fit the screen; using 1920 by "
              "1080\n");
    EXPECT_EQ(config.screenWidth, 1920);
    EXPECT_EQ(config.screenHeight, 1080);
    EXPECT_EQ(readText(config, "screenWidth 800 screenHeight 5000"),
              "config.txt: a window of 800 by 5000 does not fit the screen; using 800 by 1080\n");
    EXPECT_EQ(config.screenWidth, 800);
}

TEST(Config, WordsOfAnyLengthAreReadWhole) {
    const std::string longWord(100000, 'w');
    Config config;
    EXPECT_EQ(readText(config, longWord + " screenWidth 800 windowName " + longWord +
                                   " screenHeight " + longWord + " dataPath end"),
              "config.txt: screenHeight needs an integer, skipping \"" + std::string(40, 'w') +
                  "...\"\n");
    EXPECT_EQ(config.screenWidth, 800);
    EXPECT_EQ(config.screenHeight, 320);
    EXPECT_EQ(config.windowName, longWord);
    EXPECT_EQ(config.dataPath, "end");
}

TEST(Config, FolderInsteadOfAFileIsLikeAMissingFile) {
    TempFile file("", "config.txt");
    Config config;
    config.read(file.folderPath().c_str(), screenWidth, screenHeight);
    EXPECT_EQ(config.screenWidth, 640);
    EXPECT_EQ(config.screenHeight, 320);
}

} // namespace
