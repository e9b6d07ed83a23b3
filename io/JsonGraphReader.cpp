#include "io/JsonGraphReader.h"

#include "io/FileText.h"
#include "io/NameHierarchy.h"

#include <nlohmann/json.hpp>

#include <iterator>
#include <optional>
#include <string>
#include <vector>

namespace jsongraph {

namespace {

// The characters of the text for the JSON parser, noting how far it has
// read: the events it sends carry no position of their own.
class TrackedChars {
public:
    using iterator_category = std::input_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    TrackedChars(const char* at, const char** reached) : at(at), reached(reached) {}

    reference operator*() const { return *at; }
    TrackedChars& operator++() {
        *reached = ++at;
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
    const char** reached;
};

using Json = nlohmann::json;

// Follows the parser's events through the two shapes; anything else stops it
// with the reason.
class ImportsHandler : public nlohmann::json_sax<Json> {
public:
    ImportsHandler(std::string_view text, const char** reached, Progress* progress)
        : text(text), reached(reached), progress(progress) {}

    bool null() override { return value(Kind::Null); }
    bool boolean(bool) override { return value(Kind::Other); }
    bool number_integer(number_integer_t) override { return value(Kind::Other); }
    bool number_unsigned(number_unsigned_t) override { return value(Kind::Other); }
    bool number_float(number_float_t, const string_t&) override { return value(Kind::Other); }
    bool string(string_t& text) override { return value(Kind::String, text); }
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
    bool parse_error(std::size_t position, const std::string&,
                     const nlohmann::detail::exception& error) override {
        // "[json.exception.parse_error.101] parse error at line 1, column 2:
        // syntax error while parsing value - ...": the part after the place.
        std::string reason = error.what();
        if (const std::size_t at = reason.find("syntax error"); at != std::string::npos) {
            reason.erase(0, at);
        }
        faultAt = position == 0 ? 0 : position - 1;
        fault = reason;
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
            name.reset();
            imports.clear();
            states.push_back(State::Element);
            return true;
        case State::Element:
            if (currentKey == "name") {
                if (kind != Kind::String) {
                    return fail("\"name\" is not a string");
                }
                name = std::string(string);
                return true;
            }
            return importsValue(kind, State::ElementImports);
        case State::ElementImports:
        case State::MapImports:
            if (kind != Kind::String) {
                return fail("an import is not a string");
            }
            imports.emplace_back(string);
            return true;
        case State::Map:
            name = currentKey;
            imports.clear();
            if (kind == Kind::Array) {
                states.push_back(State::MapImports);
                return true;
            }
            if (kind == Kind::Object) {
                states.push_back(State::MapEntry);
                return true;
            }
            if (kind == Kind::Null) {
                return commit();
            }
            return fail("the imports of \"" + currentKey + "\" are not a list");
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
        switch (closed) {
        case State::List:
        case State::Map:
            states.push_back(State::Done);
            return true;
        case State::Element:
            if (!name) {
                return fail("an element has no \"name\"");
            }
            return commit();
        case State::MapImports:
            return states.back() == State::Map ? commit() : true;
        case State::MapEntry:
            return commit();
        default:
            return true;
        }
    }

    // The element with its imports.
    bool commit() {
        const std::optional<int32_t> source = elementNamed(*name);
        if (!source) {
            return false;
        }
        for (const std::string& imported : imports) {
            const std::optional<int32_t> target = elementNamed(imported);
            if (!target) {
                return false;
            }
            if (Status related = names.relate(*source, *target); !related) {
                return fail(related.error().reason);
            }
        }
        return true;
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
        progress->advance(static_cast<double>(*reached - text.data()) /
                          static_cast<double>(text.size()));
        return true;
    }

    bool fail(std::string reason) {
        if (!fault) {
            fault = std::move(reason);
            const auto read = static_cast<std::size_t>(*reached - text.data());
            faultAt = read == 0 ? 0 : read - 1;
        }
        return false;
    }

    std::string_view text;
    const char** reached;
    Progress* progress;
    std::vector<State> states{State::Top};
    std::size_t skipping = 0;
    std::string currentKey;
    std::optional<std::string> name;
    std::vector<std::string> imports;
    NameHierarchy names;
    std::optional<std::string> fault;
    std::size_t faultAt = 0;
    uint64_t events = 0;
};

} // namespace

Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator, Progress* progress) {
    text = withoutByteOrderMark(text);
    const char* reached = text.data();
    ImportsHandler handler(text, &reached, progress);
    const TrackedChars begin(text.data(), &reached);
    const TrackedChars end(text.data() + text.size(), &reached);
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
