#include "app/Config.h"

#include "app/ViewerContext.h"

#include "base/Console.h"

#include <GL/freeglut.h>

#include <charconv>
#include <filesystem>
#include <fstream>

namespace {

struct IntegerKey {
    const char* key;
    int32_t Config::*field;
};

struct WordKey {
    const char* key;
    std::string Config::*field;
};

// Compared in this order; keys are case-sensitive.
constexpr IntegerKey integerKeys[] = {
    {"screenWidth", &Config::screenWidth},   {"screenHeight", &Config::screenHeight},
    {"bitsPerPixel", &Config::bitsPerPixel}, {"refreshRate", &Config::refreshRate},
    {"fullScreen", &Config::fullScreen},
};

constexpr WordKey wordKeys[] = {
    {"windowName", &Config::windowName},
    {"dataPath", &Config::dataPath},
};

struct Mode {
    int32_t width;
    int32_t height;
};

constexpr Mode standardModes[] = {{1600, 1200}, {1280, 1024}, {1024, 768}, {800, 600}, {640, 480}};

// Enough of a skipped word to recognise it in the warning line.
constexpr std::size_t quotedWordLength = 40;

// Whitespace-separated words of any length. An integer is read off the front
// of a word the way a formatted stream reads it (optional sign, digits); the
// rest of that word is the next word.
class WordReader {
public:
    explicit WordReader(std::istream& in) : in(in) {}

    bool next(std::string& word) {
        if (!rest.empty()) {
            word = std::move(rest);
            rest.clear();
            return true;
        }
        return static_cast<bool>(in >> word);
    }

    // False when there is no word left; otherwise either value is set, or
    // skipped holds the word that is no integer.
    bool nextInteger(int32_t& value, std::string& skipped) {
        std::string word;
        if (!next(word)) {
            return false;
        }
        const std::size_t start = word.starts_with('+') ? 1 : 0;
        const char* end = word.data() + word.size();
        int32_t number = 0;
        const auto [stop, error] = std::from_chars(word.data() + start, end, number);
        const bool signAlone = start == 1 && word.size() > 1 && word[1] == '-';
        if (error != std::errc() || signAlone) {
            skipped = std::move(word);
            return true;
        }
        value = number;
        rest.assign(stop, end);
        return true;
    }

private:
    std::istream& in;
    std::string rest;
};

std::string inQuotes(const std::string& word) {
    if (word.size() <= quotedWordLength) {
        return '"' + word + '"';
    }
    return '"' + word.substr(0, quotedWordLength) + "...\"";
}

// A word that is no key is skipped.
void readValue(Config& config, const std::string& key, WordReader& words, const char* name) {
    for (const IntegerKey& entry : integerKeys) {
        if (key == entry.key) {
            std::string skipped;
            if (words.nextInteger(config.*entry.field, skipped) && !skipped.empty()) {
                console::line(std::string(name) + ": " + key + " needs an integer, skipping " +
                              inQuotes(skipped));
            }
            return;
        }
    }
    for (const WordKey& entry : wordKeys) {
        if (key == entry.key) {
            std::string value;
            if (words.next(value)) {
                config.*entry.field = std::move(value);
            }
            return;
        }
    }
}

bool isStandardMode(int32_t width, int32_t height) {
    for (const Mode& mode : standardModes) {
        if (mode.width == width && mode.height == height) {
            return true;
        }
    }
    return false;
}

} // namespace

Config& Config::instance() {
    return ViewerContext::instance().config;
}

Config::Config() = default;

Config::~Config() = default;

void Config::read(const char* name) {
    read(name, glutGet(GLUT_SCREEN_WIDTH), glutGet(GLUT_SCREEN_HEIGHT));
}

void Config::read(const char* name, int32_t screenWidthPixels, int32_t screenHeightPixels) {
    screenWidth = 640;
    screenHeight = 320;
    bitsPerPixel = 32;
    refreshRate = 60;
    fullScreen = 0;

    // Only a regular file is opened: a fifo or a device could block start-up.
    std::error_code ignored;
    std::ifstream in;
    if (std::filesystem::is_regular_file(name, ignored)) {
        in.open(name);
    }
    if (!in.is_open()) {
        return;
    }
    WordReader words(in);
    std::string key;
    while (words.next(key)) {
        readValue(*this, key, words, name);
    }
    in.close();

    if (fullScreen != 0 && !isStandardMode(screenWidth, screenHeight)) {
        screenWidth = screenWidthPixels;
        screenHeight = screenHeightPixels;
    }
    // A window larger than the screen gains nothing, and one beyond what
    // the GL driver can draw crashes it.
    if (screenWidthPixels > 0 && screenHeightPixels > 0 &&
        (screenWidth > screenWidthPixels || screenHeight > screenHeightPixels)) {
        console::line(std::string(name) + ": a window of " + std::to_string(screenWidth) + " by " +
                      std::to_string(screenHeight) + " does not fit the screen; using " +
                      std::to_string(std::min(screenWidth, screenWidthPixels)) + " by " +
                      std::to_string(std::min(screenHeight, screenHeightPixels)));
        screenWidth = std::min(screenWidth, screenWidthPixels);
        screenHeight = std::min(screenHeight, screenHeightPixels);
    }
}
