#include "analysis/RuleFile.h"

#include "io/FileText.h"
#include "io/TextLines.h"

#include <algorithm>
#include <map>
#include <utility>

namespace rulefile {

namespace {

const char* const ruleWords = "layer, layers, forbid, independent, acyclic or ignore";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

struct Word {
    std::string text;
    // From 1, in bytes.
    int column = 0;
    bool quoted = false;
};

// A line's words, and its text without the comment and the outer blanks.
struct Line {
    std::vector<Word> words;
    std::string_view text;
    int number = 0;
};

// The word in quotes that starts at `at`, its escapes (\" and \\) read.
bool readQuoted(std::string_view line, std::size_t& at, std::string& text) {
    for (++at; at < line.size();) {
        const char c = line[at++];
        if (c == '"') {
            return true;
        }
        if (c == '\\' && at < line.size()) {
            text += line[at++];
        } else {
            text += c;
        }
    }
    return false;
}

Result<Line> lineOf(std::string_view text, int number, const std::string& path) {
    Line line;
    line.number = number;
    std::size_t at = 0;
    std::size_t end = text.size();
    while (at < text.size()) {
        if (isBlank(text[at])) {
            ++at;
            continue;
        }
        if (text[at] == '#') {
            end = at;
            break;
        }
        Word word;
        word.column = static_cast<int>(at) + 1;
        if (text[at] == '"') {
            word.quoted = true;
            if (!readQuoted(text, at, word.text)) {
                return Error{"a quote left open", path, number, word.column};
            }
        } else {
            while (at < text.size() && !isBlank(text[at]) && text[at] != '#') {
                word.text += text[at++];
            }
        }
        line.words.push_back(std::move(word));
    }
    line.text = text.substr(0, end);
    while (!line.text.empty() && isBlank(line.text.front())) {
        line.text.remove_prefix(1);
    }
    while (!line.text.empty() && isBlank(line.text.back())) {
        line.text.remove_suffix(1);
    }
    return line;
}

bool isLayerName(std::string_view name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '-';
    });
}

class Parser {
public:
    explicit Parser(const std::string& path) { rules.path = path; }

    // Layers may be used before the line that defines them: their names are
    // known before the statements are read.
    void nameLayer(const Line& line) {
        if (line.words.size() >= 2 && line.words[0].text == "layer" && !line.words[1].quoted &&
            isLayerName(line.words[1].text) && !layerIndex.contains(line.words[1].text)) {
            layerIndex.emplace(line.words[1].text, static_cast<int32_t>(rules.layers.size()));
            rules.layers.push_back({line.words[1].text, {}, 0});
        }
    }

    Status statement(const Line& line) {
        current = &line;
        const Word& first = line.words.front();
        const std::string& keyword = first.quoted ? std::string() : first.text;
        if (keyword == "layer") {
            return layer();
        }
        Rule rule;
        rule.line = line.number;
        rule.text = std::string(line.text);
        Status read;
        if (keyword == "layers") {
            rule.kind = Rule::Kind::Layers;
            read = layers(rule);
        } else if (keyword == "forbid" || keyword == "ignore") {
            rule.kind = keyword == "forbid" ? Rule::Kind::Forbid : Rule::Kind::Ignore;
            read = relationRule(rule);
        } else if (keyword == "independent" || keyword == "acyclic") {
            rule.kind = keyword == "acyclic" ? Rule::Kind::Acyclic : Rule::Kind::Independent;
            read = patternRule(rule);
        } else {
            return fault(first, "unknown rule " + inQuotes(first.text, '\'') +
                                    ": a line starts with " + ruleWords);
        }
        if (read) {
            rules.rules.push_back(std::move(rule));
        }
        return read;
    }

    RuleSet rules;

private:
    Error fault(const Word& word, const std::string& reason) const {
        return Error{reason, rules.path, current->number, word.column};
    }
    // Where a word is missing: just after the last one.
    Error missing(const std::string& reason) const {
        const Word& last = current->words.back();
        return Error{reason, rules.path, current->number,
                     last.column + static_cast<int>(last.text.size()) + (last.quoted ? 2 : 0)};
    }

    std::size_t size() const { return current->words.size(); }
    const Word& word(std::size_t i) const { return current->words[i]; }

    Status layer() {
        if (size() < 3) {
            return missing("a layer line is 'layer NAME PATTERN...'");
        }
        const Word& name = word(1);
        if (name.quoted || !isLayerName(name.text)) {
            return fault(name, inQuotes(name.text, '\'') +
                                   " is not a layer name: letters, digits, '_' and '-'");
        }
        LayerDefinition& defined = rules.layers[static_cast<std::size_t>(layerIndex.at(name.text))];
        if (defined.line != 0) {
            return fault(name, "layer '" + name.text + "' is defined on line " +
                                   std::to_string(defined.line) + " already");
        }
        defined.line = current->number;
        for (std::size_t i = 2; i < size(); ++i) {
            const Result<int32_t> pattern = patternAt(i);
            if (!pattern) {
                return pattern.error();
            }
            defined.patterns.push_back(pattern.value());
        }
        return {};
    }

    Status layers(Rule& rule) {
        for (std::size_t i = 1;; i += 2) {
            if (i >= size()) {
                return missing("'layers' needs a layer's name after '>'");
            }
            const Word& name = word(i);
            const auto found = layerIndex.find(name.text);
            if (name.quoted || found == layerIndex.end()) {
                return fault(name, "no layer named " + inQuotes(name.text, '\'') +
                                       " (a 'layer' line defines one)");
            }
            if (std::find(rule.layers.begin(), rule.layers.end(), found->second) !=
                rule.layers.end()) {
                return fault(name, "layer '" + name.text + "' comes twice");
            }
            rule.layers.push_back(found->second);
            if (i + 1 == size()) {
                break;
            }
            const Word& joint = word(i + 1);
            if (i + 2 == size() && joint.text == "strict" && !joint.quoted) {
                rule.strict = true;
                break;
            }
            if (joint.text != ">" || joint.quoted) {
                return fault(joint,
                             "expected '>' between layers, found " + inQuotes(joint.text, '\''));
            }
        }
        if (rule.layers.size() < 2) {
            return missing("'layers' needs two layers or more, joined by '>'");
        }
        return {};
    }

    Status relationRule(Rule& rule) {
        if (size() < 4) {
            return missing("a rule of relations is '" + word(0).text + " FROM -> TO'");
        }
        if (const Word& arrow = word(2); arrow.text != "->" || arrow.quoted) {
            return fault(arrow,
                         "expected '->' between FROM and TO, found " + inQuotes(arrow.text, '\''));
        }
        Result<RuleEnd> from = endAt(1);
        if (!from) {
            return from.error();
        }
        Result<RuleEnd> to = endAt(3);
        if (!to) {
            return to.error();
        }
        rule.from = from.value();
        rule.to = to.value();
        if (rule.kind == Rule::Kind::Ignore) {
            return size() == 4 ? Status()
                               : fault(word(4), "unexpected " + inQuotes(word(4).text, '\'') +
                                                    " after an ignore rule's TO");
        }
        return severityAndReason(rule, 4, true);
    }

    Status patternRule(Rule& rule) {
        if (size() < 2) {
            return missing("'" + word(0).text + "' needs a pattern");
        }
        const Result<int32_t> pattern = patternAt(1);
        if (!pattern) {
            return pattern.error();
        }
        rule.pattern = pattern.value();
        return severityAndReason(rule, 2, false);
    }

    // [error|warn] and, where allowed, ["reason"], from word `at` on.
    Status severityAndReason(Rule& rule, std::size_t at, bool reasonAllowed) {
        if (at < size() && !word(at).quoted &&
            (word(at).text == "error" || word(at).text == "warn")) {
            rule.severity = word(at).text == "warn" ? Severity::Warning : Severity::Error;
            ++at;
        }
        if (reasonAllowed && at < size() && word(at).quoted) {
            rule.reason = word(at).text;
            ++at;
        }
        if (at < size()) {
            return fault(word(at),
                         "unexpected " + inQuotes(word(at).text, '\'') +
                             (reasonAllowed ? ": the rule ends in [error|warn] [\"reason\"]"
                                            : ": the rule ends in [error|warn]"));
        }
        return {};
    }

    Result<int32_t> patternAt(std::size_t i) {
        const Word& written = word(i);
        if (written.quoted) {
            return fault(written, "a pattern is written without quotes");
        }
        Result<NodePattern> pattern = NodePattern::parse(written.text);
        if (!pattern) {
            Error error = fault(written, "bad pattern " + inQuotes(written.text, '\'') + ": " +
                                             pattern.error().reason);
            error.column += std::max(pattern.error().column, 1) - 1;
            return error;
        }
        rules.patterns.push_back({std::move(pattern).value(), current->number, written.column});
        return static_cast<int32_t>(rules.patterns.size() - 1);
    }

    Result<RuleEnd> endAt(std::size_t i) {
        if (const auto found = layerIndex.find(word(i).text);
            !word(i).quoted && found != layerIndex.end()) {
            return RuleEnd{found->second, -1};
        }
        const Result<int32_t> pattern = patternAt(i);
        if (!pattern) {
            return pattern.error();
        }
        return RuleEnd{-1, pattern.value()};
    }

    std::map<std::string, int32_t, std::less<>> layerIndex;
    const Line* current = nullptr;
};

} // namespace

Result<RuleSet> parse(std::string_view text, const std::string& path) {
    std::vector<Line> lines;
    TextLines reader(withoutByteOrderMark(text), nullptr);
    std::string_view raw;
    while (reader.next(raw)) {
        if (raw.size() > maxLineBytes) {
            return Error{"a line longer than " + std::to_string(maxLineBytes) + " bytes", path,
                         reader.number(), static_cast<int>(maxLineBytes) + 1};
        }
        Result<Line> line = lineOf(raw, reader.number(), path);
        if (!line) {
            return line.error();
        }
        if (line.value().words.empty()) {
            continue;
        }
        if (lines.size() == maxStatements) {
            return Error{"more than " + std::to_string(maxStatements) + " rules and layers", path,
                         reader.number()};
        }
        lines.push_back(std::move(line).value());
    }
    Parser parser(path);
    for (const Line& line : lines) {
        parser.nameLayer(line);
    }
    for (const Line& line : lines) {
        if (Status read = parser.statement(line); !read) {
            return read.error();
        }
    }
    return std::move(parser.rules);
}

Result<RuleSet> read(const std::string& path) {
    const Result<FileText> text = readFileText(path, maxFileBytes);
    if (!text) {
        return text.error();
    }
    return parse(text.value().view(), path);
}

Result<std::shared_ptr<const RuleSet>> readShared(const std::string& path) {
    if (path.empty()) {
        return std::shared_ptr<const RuleSet>();
    }
    Result<RuleSet> rules = read(path);
    if (!rules) {
        return rules.error();
    }
    return std::make_shared<const RuleSet>(std::move(rules).value());
}

} // namespace rulefile
