#include "effect/EffectFile.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_set>

namespace {

constexpr std::array<std::string_view, 7> parameterTypes = {
    "float", "float2", "float3", "float4", "int", "sampler1D", "sampler2D"};

std::vector<std::string_view> splitWords(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (true) {
        at = line.find_first_not_of(" \t", at);
        if (at == std::string_view::npos) {
            return words;
        }
        const std::size_t end = std::min(line.find_first_of(" \t", at), line.size());
        words.push_back(line.substr(at, end - at));
        at = end;
    }
}

bool hasControlCharacter(std::string_view line) {
    return std::any_of(line.begin(), line.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x20 && c != '\t') || byte == 0x7F;
    });
}

bool isComment(const std::vector<std::string_view>& words) {
    return words.empty() || words[0].starts_with("//");
}

class Parser {
public:
    explicit Parser(std::string_view text) : text(text) {}

    Result<EffectFileContents> run() {
        std::size_t start = 0;
        while (start < text.size() && !fault) {
            const std::size_t end = std::min(text.find('\n', start), text.size());
            std::string_view line = text.substr(start, end - start);
            start = end + 1;
            ++lineNumber;
            if (line.ends_with('\r')) {
                line.remove_suffix(1);
            }
            if (hasControlCharacter(line)) {
                fail("control character in the line");
            } else if (technique) {
                techniqueLine(line);
            } else {
                topLevelLine(splitWords(line));
            }
        }
        if (technique && !fault) {
            fail("technique " + technique->name + " has no end");
        }
        if (fault) {
            return *fault;
        }
        return std::move(contents);
    }

private:
    void fail(const std::string& reason) { fault = Error{reason, {}, lineNumber}; }

    void topLevelLine(const std::vector<std::string_view>& words) {
        if (isComment(words)) {
            return;
        }
        if (words[0] == "parameter") {
            parameterLine(words);
        } else if (words[0] == "technique") {
            if (words.size() != 2) {
                fail("expected: technique <name>");
            } else if (!techniqueNames.emplace(words[1]).second) {
                fail("a second technique " + std::string(words[1]));
            } else {
                technique = EffectTechniqueSource{std::string(words[1]), {}, {}};
                section = nullptr;
                hasVertex = false;
                hasFragment = false;
            }
        } else {
            fail("expected parameter, technique or a comment");
        }
    }

    void parameterLine(const std::vector<std::string_view>& words) {
        if (words.size() != 3) {
            fail("expected: parameter <type> <name>");
        } else if (std::find(parameterTypes.begin(), parameterTypes.end(), words[1]) ==
                   parameterTypes.end()) {
            fail("unknown parameter type " + std::string(words[1]));
        } else if (!parameterNames.emplace(words[2]).second) {
            fail("a second parameter " + std::string(words[2]));
        } else {
            contents.parameters.push_back({std::string(words[1]), std::string(words[2])});
        }
    }

    // Inside a technique, a line that is just "vertex", "fragment" or "end"
    // is a marker; every other line belongs to the open source verbatim.
    void techniqueLine(std::string_view line) {
        const std::vector<std::string_view> words = splitWords(line);
        const std::string_view marker = words.size() == 1 ? words[0] : std::string_view();
        if (marker == "vertex" || marker == "fragment") {
            bool& seen = marker == "vertex" ? hasVertex : hasFragment;
            if (seen) {
                fail("a second " + std::string(marker) + " source in technique " + technique->name);
                return;
            }
            seen = true;
            section = marker == "vertex" ? &technique->vertexSource : &technique->fragmentSource;
        } else if (marker == "end") {
            if (!hasVertex || !hasFragment) {
                fail("technique " + technique->name + " needs a vertex and a fragment source");
                return;
            }
            contents.techniques.push_back(std::move(*technique));
            technique.reset();
        } else if (section != nullptr) {
            section->append(line).append("\n");
        } else if (!isComment(words)) {
            fail("expected vertex or fragment");
        }
    }

    std::string_view text;
    EffectFileContents contents;
    // The names met so far, so that a repeat is found at once however many
    // there are.
    std::unordered_set<std::string> parameterNames;
    std::unordered_set<std::string> techniqueNames;
    std::optional<Error> fault;
    int lineNumber = 0;
    std::optional<EffectTechniqueSource> technique;
    std::string* section = nullptr;
    bool hasVertex = false;
    bool hasFragment = false;
};

} // namespace

Result<EffectFileContents> parseEffectFile(std::string_view text) {
    return Parser(text).run();
}
