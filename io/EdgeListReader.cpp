#include "io/EdgeListReader.h"

#include "io/FileText.h"
#include "io/NameHierarchy.h"
#include "io/TextLines.h"

#include <cctype>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace edgelist {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) {
            return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The column, from 1, of a byte of the line.
int columnOf(std::size_t index) {
    return static_cast<int>(index) + 1;
}

struct Field {
    std::string text;
    // From 1, in bytes.
    int column = 1;
};

// The first two fields of a line split at the delimiter (0: runs of
// blanks), with CSV quoting where the delimiter is a character; an Error
// (with the column) for a quote left open or followed by more of the name,
// and for a quote in a name between blanks, which cannot be quoted.
Result<std::vector<Field>> splitLine(std::string_view line, char delimiter) {
    std::vector<Field> fields;
    std::size_t i = 0;
    while (i <= line.size() && fields.size() < 2) {
        if (delimiter == 0) {
            while (i < line.size() && isBlank(line[i])) {
                ++i;
            }
            if (i == line.size()) {
                break;
            }
            const std::size_t start = i;
            while (i < line.size() && !isBlank(line[i])) {
                if (line[i] == '"') {
                    return Error("a double quote in a name between blanks (only names between "
                                 "commas or tabs may be quoted)",
                                 {}, 0, columnOf(i));
                }
                ++i;
            }
            fields.push_back({std::string(line.substr(start, i - start)), columnOf(start)});
            continue;
        }
        while (i < line.size() && isBlank(line[i]) && line[i] != delimiter) {
            ++i;
        }
        Field field{{}, columnOf(i)};
        if (i < line.size() && line[i] == '"') {
            ++i;
            bool closed = false;
            while (i < line.size()) {
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field.text.push_back('"');
                        i += 2;
                        continue;
                    }
                    ++i;
                    closed = true;
                    break;
                }
                field.text.push_back(line[i++]);
            }
            if (!closed) {
                return Error("a quoted name has no closing quote", {}, 0, field.column);
            }
            while (i < line.size() && isBlank(line[i]) && line[i] != delimiter) {
                ++i;
            }
            if (i < line.size() && line[i] != delimiter) {
                return Error("more of the name after its closing quote", {}, 0, columnOf(i));
            }
        } else {
            const std::size_t start = i;
            while (i < line.size() && line[i] != delimiter) {
                ++i;
            }
            field.text = trimmed(line.substr(start, i - start));
        }
        fields.push_back(std::move(field));
        ++i;
    }
    return fields;
}

bool isHeader(const std::vector<Field>& fields) {
    return fields.size() == 2 && ((equalsIgnoringCase(fields[0].text, "source") &&
                                   equalsIgnoringCase(fields[1].text, "target")) ||
                                  (equalsIgnoringCase(fields[0].text, "from") &&
                                   equalsIgnoringCase(fields[1].text, "to")));
}

// The delimiter a line's content shows: a tab, else a comma, else blanks
// between words; none for a lone word.
std::optional<char> delimiterOf(std::string_view content) {
    if (content.find('\t') != std::string_view::npos) {
        return '\t';
    }
    if (content.find(',') != std::string_view::npos) {
        return ',';
    }
    if (content.find(' ') != std::string_view::npos) {
        return char{0};
    }
    return std::nullopt;
}

const char* delimiterName(char delimiter) {
    return delimiter == ',' ? "a comma" : delimiter == '\t' ? "a tab" : "blanks";
}

} // namespace

Result<CompoundGraph> parse(std::string_view text, std::string_view rootName,
                            std::string_view separator, Progress* progress,
                            std::optional<char> delimiter) {
    text = withoutByteOrderMark(text);
    NameHierarchy names;
    bool firstData = true;
    // Lines of one name, and the first of them: in a file of relations they
    // are lines whose delimiter is another one.
    int singleLines = 0;
    int firstSingleLine = 0;
    bool anyPair = false;
    TextLines lines(text, progress);
    std::string_view line;
    while (lines.next(line)) {
        const int lineNumber = lines.number();
        const std::string_view content = trimmed(line);
        if (content.empty() || content.front() == '#') {
            continue;
        }
        if (!delimiter) {
            delimiter = delimiterOf(content);
        }
        // A lone word before any delimiter is read as CSV reads it.
        Result<std::vector<Field>> fields = splitLine(line, delimiter.value_or(','));
        if (!fields) {
            return Error(fields.error().reason, {}, lineNumber, fields.error().column);
        }
        if (std::exchange(firstData, false) && isHeader(fields.value())) {
            continue;
        }
        int32_t ends[2] = {CompoundGraph::none, CompoundGraph::none};
        for (std::size_t f = 0; f < fields.value().size(); ++f) {
            const Field& field = fields.value()[f];
            if (field.text.empty()) {
                return Error("a name is empty", {}, lineNumber, field.column);
            }
            Result<int32_t> element = names.element(field.text);
            if (!element) {
                return Error(element.error().reason, {}, lineNumber);
            }
            ends[f] = element.value();
        }
        if (ends[1] == CompoundGraph::none) {
            if (singleLines++ == 0) {
                firstSingleLine = lineNumber;
            }
            continue;
        }
        anyPair = true;
        if (Status related = names.relate(ends[0], ends[1]); !related) {
            return Error(related.error().reason, {}, lineNumber);
        }
    }
    if (lines.cancelled()) {
        return Error(std::string(cancelledReason));
    }
    if (names.elementCount() == 0) {
        return Error("the file names no elements");
    }
    if (anyPair && singleLines > 0) {
        return Error(std::string("one name where the other lines have two, split at ") +
                         delimiterName(*delimiter) + " (" + std::to_string(singleLines) +
                         (singleLines == 1 ? " such line)" : " such lines; this is the first)"),
                     {}, firstSingleLine);
    }
    return names.finish(rootName, separator);
}

} // namespace edgelist
