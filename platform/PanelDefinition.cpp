#include "platform/PanelDefinition.h"

#include <charconv>
#include <cmath>

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isQuote(char c) {
    return c == '\'' || c == '"' || c == '`';
}

void skipBlanks(std::string_view text, size_t& at) {
    while (at < text.size() && isBlank(text[at])) {
        ++at;
    }
}

std::string_view readWord(std::string_view text, size_t& at) {
    const size_t start = at;
    while (at < text.size() && !isBlank(text[at]) && text[at] != '=') {
        ++at;
    }
    return text.substr(start, at - start);
}

// Reads the value behind '='; false when it is missing or its quote is not
// closed.
bool readValue(std::string_view text, size_t& at, std::string& value, std::string& error) {
    if (at < text.size() && isQuote(text[at])) {
        const char quote = text[at];
        const size_t close = text.find(quote, at + 1);
        if (close == std::string_view::npos) {
            error = "unterminated quote";
            return false;
        }
        value = text.substr(at + 1, close - at - 1);
        at = close + 1;
        return true;
    }
    const size_t start = at;
    while (at < text.size() && !isBlank(text[at])) {
        ++at;
    }
    value = text.substr(start, at - start);
    if (value.empty()) {
        error = "missing value";
        return false;
    }
    return true;
}

} // namespace

PanelDefinition parsePanelDefinition(std::string_view text) {
    PanelDefinition definition;
    size_t at = 0;
    for (skipBlanks(text, at); at < text.size(); skipBlanks(text, at)) {
        const std::string key(readWord(text, at));
        if (at >= text.size() || text[at] != '=') {
            if (!definition.assignments.empty()) {
                definition.error = "'" + key + "' has no value";
                return definition;
            }
            definition.words.push_back(key);
            continue;
        }
        ++at;
        if (key.empty()) {
            definition.error = "'=' without a name";
            return definition;
        }
        std::string value;
        if (!readValue(text, at, value, definition.error)) {
            definition.error = "'" + key + "': " + definition.error;
            return definition;
        }
        definition.assignments.push_back({key, value});
    }
    return definition;
}

bool parsePanelNumber(std::string_view text, double& number) {
    if (!text.empty() && (text.back() == 'f' || text.back() == 'F')) {
        text.remove_suffix(1);
    }
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, number);
    return error == std::errc() && stop == end && std::isfinite(number);
}

bool parsePanelNumbers(std::string_view text, double* numbers, int count) {
    size_t at = 0;
    for (int i = 0; i < count; ++i) {
        skipBlanks(text, at);
        const size_t start = at;
        while (at < text.size() && !isBlank(text[at])) {
            ++at;
        }
        if (!parsePanelNumber(text.substr(start, at - start), numbers[i])) {
            return false;
        }
    }
    skipBlanks(text, at);
    return at == text.size();
}
