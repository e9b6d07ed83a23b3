#include "io/JsonGraphReader.h"

#include "io/FileText.h"
#include "io/JsonFault.h"
#include "io/NameHierarchy.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace jsongraph {

namespace {

// The text as the JSON parser reads it, one character at a time, noting how
// far it has read: the events it sends carry no position of their own.
// Numbers are never read for their values, so a number too large for a
// double, which the parser refuses even in a key we ignore, is shown to it as
// "0.000..." of the same length, and positions stay.
class JsonText {
public:
    explicit JsonText(std::string_view text)
        : begin(text.data()), end(text.data() + text.size()), reached(begin), hugeStart(begin),
          hugeEnd(begin) {
        spotHugeNumber(begin);
    }

    char shown(const char* at) const {
        if (at < hugeStart || at >= hugeEnd) {
            return *at;
        }
        return at == hugeStart + 1 ? '.' : '0';
    }

    // Moves at to the next character.
    void step(const char*& at) {
        const char left = *at++;
        reached = at;
        if (inString) {
            if (escaped) {
                escaped = false;
            } else if (left == '\\') {
                escaped = true;
            } else if (left == '"') {
                inString = false;
            }
            return;
        }
        if (left == '"') {
            inString = true;
        } else if (at < end &&
                   std::string_view(" \t\r\n[{,:").find(left) != std::string_view::npos) {
            spotHugeNumber(at);
        }
    }

    const char* begin;
    const char* end;
    const char* reached;

private:
    // Where a value may start: a valid number that may reach 10^300 (a
    // double ends near 1.8 x 10^308) is marked to be shown as zero.
    void spotHugeNumber(const char* at) {
        const char* i = at;
        const auto digits = [&] {
            const char* first = i;
            while (i < end && *i >= '0' && *i <= '9') {
                ++i;
            }
            return i - first;
        };
        if (i < end && *i == '-') {
            ++i;
        }
        const std::ptrdiff_t integerDigits = digits();
        if (integerDigits == 0 || (integerDigits > 1 && i[-integerDigits] == '0')) {
            return;
        }
        if (i < end && *i == '.') {
            ++i;
            if (digits() == 0) {
                return;
            }
        }
        int64_t exponent = 0;
        if (i < end && (*i == 'e' || *i == 'E')) {
            ++i;
            const bool negative = i < end && *i == '-';
            if (i < end && (*i == '-' || *i == '+')) {
                ++i;
            }
            const char* first = i;
            if (digits() == 0) {
                return;
            }
            // Saturates far beyond any magnitude a double holds.
            for (const char* d = first; d < i && exponent < 1000000; ++d) {
                exponent = exponent * 10 + (*d - '0');
            }
            exponent = negative ? -exponent : exponent;
        }
        if (i < end && std::string_view("0123456789.eE+-").find(*i) != std::string_view::npos) {
            return;
        }
        // The value is below 10^(integer digits + exponent).
        if (integerDigits + exponent > 300) {
            hugeStart = at;
            hugeEnd = i;
        }
    }

    bool inString = false;
    bool escaped = false;
    // The number shown as zero, if any.
    const char* hugeStart;
    const char* hugeEnd;
};

class TrackedChars {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = char;

    TrackedChars(const char* at, JsonText* text) : at(at), text(text) {}

    char operator*() const { return text->shown(at); }
    TrackedChars& operator++() {
        text->step(at);
        return *this;
    }
    TrackedChars operator++(int) {
        TrackedChars before = *this;
        ++*this;
        return before;
    }
    bool operator==(const TrackedChars& other) const { return at == other.at; }
    bool operator!=(const TrackedChars& other) const { return at != other.at; }

private:
    const char* at;
    JsonText* text;
};

using Json = nlohmann::json;

// Follows the parser's events through the two shapes; anything else stops it
// with the reason. Each import is related as it arrives (where its element's
// name came first), so that repeats cost nothing.
class ImportsHandler : public nlohmann::json_sax<Json> {
public:
    ImportsHandler(const JsonText& text, Progress* progress) : text(text), progress(progress) {}

    bool null() override { return value(Kind::Null); }
    bool boolean(bool) override { return value(Kind::Other); }
    bool number_integer(number_integer_t) override { return value(Kind::Other); }
    bool number_unsigned(number_unsigned_t) override { return value(Kind::Other); }
    bool number_float(number_float_t, const string_t&) override { return value(Kind::Other); }
    bool string(string_t& string) override { return value(Kind::String, string); }
    bool binary(binary_t&) override { return value(Kind::Other); }
    bool start_object(std::size_t) override { return value(Kind::Object); }
    bool start_array(std::size_t) override { return value(Kind::Array); }
    bool end_object() override { return end(); }
    bool end_array() override { return end(); }
    bool key(string_t& name) override {
        if (skipping == 0) {
            currentKey = name;
        }
        return true;
    }
    bool parse_error(std::size_t position, const std::string& lastRead,
                     const nlohmann::detail::exception& error) override {
        faultAt = position == 0 ? 0 : position - 1;
        fault = jsonFaultReason(error.what(), lastRead);
        return false;
    }

    // The fault and its offset, or none.
    const std::optional<std::string>& failure() const { return fault; }
    std::size_t failureOffset() const { return faultAt; }
    NameHierarchy& hierarchy() { return names; }

private:
    enum class Kind { Null, String, Other, Object, Array };
    enum class State { Top, List, Element, ElementImports, Map, MapEntry, MapImports, Done };

    bool value(Kind kind, std::string_view string = {}) {
        if (!stillWanted()) {
            return false;
        }
        if (skipping > 0) {
            skipping += kind == Kind::Object || kind == Kind::Array ? 1 : 0;
            return true;
        }
        switch (states.back()) {
        case State::Top:
            if (kind == Kind::Array) {
                states.push_back(State::List);
            } else if (kind == Kind::Object) {
                states.push_back(State::Map);
            } else {
                return fail("the file holds neither a list of elements nor a map from names "
                            "to imports");
            }
            return true;
        case State::List:
            if (kind != Kind::Object) {
                return fail("an entry of the list is not an object");
            }
            source.reset();
            states.push_back(State::Element);
            return true;
        case State::Element:
            if (currentKey == "name") {
                if (kind != Kind::String) {
                    return fail("\"name\" is not a string");
                }
                return nameElement(string);
            }
            return importsValue(kind, State::ElementImports);
        case State::ElementImports:
        case State::MapImports:
            if (kind != Kind::String) {
                return fail("an import is not a string");
            }
            return addImport(string);
        case State::Map:
            if (kind != Kind::Array && kind != Kind::Object && kind != Kind::Null) {
                return fail("the imports of " + inQuotes(currentKey) + " are not a list");
            }
            source.reset();
            if (!nameElement(currentKey)) {
                return false;
            }
            if (kind != Kind::Null) {
                states.push_back(kind == Kind::Array ? State::MapImports : State::MapEntry);
            }
            return true;
        case State::MapEntry:
            return importsValue(kind, State::MapImports);
        case State::Done:
            break;
        }
        return true;
    }

    // A value in an element's object: its imports, or a key we skip.
    bool importsValue(Kind kind, State importsState) {
        if (currentKey != "imports") {
            skipping = kind == Kind::Object || kind == Kind::Array ? 1 : 0;
            return true;
        }
        if (kind == Kind::Array) {
            states.push_back(importsState);
            return true;
        }
        return kind == Kind::Null || fail("\"imports\" is not a list");
    }

    bool end() {
        if (skipping > 0) {
            --skipping;
            return true;
        }
        const State closed = states.back();
        states.pop_back();
        if (closed == State::List || closed == State::Map) {
            states.push_back(State::Done);
        }
        return closed != State::Element || source || fail("an element has no \"name\"");
    }

    // The element the imports that follow (and those that came before) are
    // relations from.
    bool nameElement(std::string_view elementName) {
        if (source) {
            return fail("an element has a second \"name\"");
        }
        source = elementNamed(elementName);
        if (!source) {
            return false;
        }
        for (const int32_t target : waiting) {
            waitingMark[static_cast<std::size_t>(target)] = false;
            if (!relate(target)) {
                return false;
            }
        }
        waiting.clear();
        return true;
    }

    // An import, related at once where the element's name is known, else
    // kept (once) until it is.
    bool addImport(std::string_view imported) {
        const std::optional<int32_t> target = elementNamed(imported);
        if (!target) {
            return false;
        }
        if (source) {
            return relate(*target);
        }
        const auto index = static_cast<std::size_t>(*target);
        if (waitingMark.size() <= index) {
            waitingMark.resize(names.elementCount(), false);
        }
        if (!waitingMark[index]) {
            waitingMark[index] = true;
            waiting.push_back(*target);
        }
        return true;
    }

    bool relate(int32_t target) {
        const Status related = names.relate(*source, target);
        return related || fail(related.error().reason);
    }

    // The element of a name; nothing, with the fault noted, for an empty
    // name or one too many.
    std::optional<int32_t> elementNamed(std::string_view elementName) {
        if (elementName.empty()) {
            fail("a name is empty");
            return std::nullopt;
        }
        Result<int32_t> element = names.element(elementName);
        if (!element) {
            fail(element.error().reason);
            return std::nullopt;
        }
        return element.value();
    }

    bool stillWanted() {
        if (progress == nullptr || ++events % 65536 != 0) {
            return true;
        }
        if (progress->cancelled()) {
            return fail(std::string(cancelledReason));
        }
        progress->advance(static_cast<double>(text.reached - text.begin) /
                          static_cast<double>(text.end - text.begin));
        return true;
    }

    bool fail(std::string reason) {
        if (!fault) {
            fault = std::move(reason);
            const auto read = static_cast<std::size_t>(text.reached - text.begin);
            faultAt = read == 0 ? 0 : read - 1;
        }
        return false;
    }

    const JsonText& text;
    Progress* progress;
    std::vector<State> states{State::Top};
    std::size_t skipping = 0;
    std::string currentKey;
    // The element whose imports are being read, once its name is known.
    std::optional<int32_t> source;
    // Imports read before the element's name, each once, and which elements
    // they are.
    std::vector<int32_t> waiting;
    std::vector<bool> waitingMark;
    NameHierarchy names;
    std::optional<std::string> fault;
    std::size_t faultAt = 0;
    uint64_t events = 0;
};

} // namespace

Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator, Progress* progress) {
    text = withoutByteOrderMark(text);
    JsonText shown(text);
    ImportsHandler handler(shown, progress);
    const TrackedChars begin(shown.begin, &shown);
    const TrackedChars end(shown.end, &shown);
    const bool parsed = Json::sax_parse(begin, end, &handler);
    if (!parsed || handler.failure()) {
        const std::string reason = handler.failure().value_or("the JSON could not be read");
        if (reason == cancelledReason) {
            return Error(reason);
        }
        const TextPosition at = positionAt(text, handler.failureOffset());
        return Error(reason, {}, at.line, at.column);
    }
    if (handler.hierarchy().elementCount() == 0) {
        return Error("the file names no elements");
    }
    return handler.hierarchy().finish(rootName, separator);
}

} // namespace jsongraph
