#include "analysis/NodePattern.h"

#include "analysis/NodePaths.h"

#include <algorithm>
#include <cstddef>

// The pattern as an automaton: state s has matched the first s tokens. A
// set of states is stepped a character at a time; a run token that matches
// nothing lets the state after it in at once.
class NodePattern::Matcher {
public:
    explicit Matcher(const std::vector<Token>& tokens)
        : tokens(tokens), seen(tokens.size() + 1, 0) {}

    void start(std::vector<uint16_t>& states) {
        states.clear();
        ++stamp;
        add(states, 0);
    }

    // The states after the character; a dot is inner when it lies within a name.
    void step(const std::vector<uint16_t>& from, char c, bool innerDot, std::vector<uint16_t>& to) {
        to.clear();
        ++stamp;
        for (const uint16_t s : from) {
            if (s == tokens.size()) {
                continue;
            }
            const Token& token = tokens[s];
            switch (token.kind) {
            case Kind::Character:
                if (c == token.character) {
                    add(to, s + 1);
                }
                break;
            case Kind::AnyDot:
                if (c == '.') {
                    add(to, s + 1);
                }
                break;
            case Kind::InnerDot:
                if (c == '.' && innerDot) {
                    add(to, s + 1);
                }
                break;
            case Kind::Star:
                if (c != '.') {
                    add(to, s);
                }
                break;
            case Kind::AnyRun:
                add(to, s);
                break;
            }
        }
    }

    // The states after a name, its dots inner ones.
    void name(std::string_view text, std::vector<uint16_t>& states) {
        for (const char c : text) {
            if (states.empty()) {
                return;
            }
            step(states, c, true, spare);
            states.swap(spare);
        }
    }

    bool accepts(const std::vector<uint16_t>& states) const {
        return std::find(states.begin(), states.end(), tokens.size()) != states.end();
    }

private:
    void add(std::vector<uint16_t>& states, std::size_t s) {
        while (seen[s] != stamp) {
            seen[s] = stamp;
            states.push_back(static_cast<uint16_t>(s));
            if (s == tokens.size() ||
                (tokens[s].kind != Kind::Star && tokens[s].kind != Kind::AnyRun)) {
                return;
            }
            ++s;
        }
    }

    const std::vector<Token>& tokens;
    std::vector<uint64_t> seen;
    uint64_t stamp = 0;
    std::vector<uint16_t> spare;
};

Result<NodePattern> NodePattern::parse(std::string_view text) {
    if (text.empty()) {
        return Error{"an empty pattern"};
    }
    if (text.size() > maxBytes) {
        return Error{"a pattern longer than " + std::to_string(maxBytes) + " bytes", {}, 0, 1};
    }
    NodePattern pattern;
    pattern.written = std::string(text);
    for (std::size_t i = 0; i < text.size(); ++i) {
        const int column = static_cast<int>(i) + 1;
        const char c = text[i];
        if (c == '\\') {
            const char escaped = i + 1 < text.size() ? text[i + 1] : '\0';
            if (escaped == '.') {
                pattern.tokens.push_back({Kind::InnerDot, '.'});
            } else if (escaped == '*' || escaped == '\\') {
                pattern.tokens.push_back({Kind::Character, escaped});
            } else {
                return Error{"'\\' must come before '.', '*' or '\\' in a pattern", {}, 0, column};
            }
            ++i;
        } else if (c == '*') {
            const std::size_t run = std::min(text.find_first_not_of('*', i), text.size()) - i;
            if (run > 2) {
                return Error{"a pattern has * or **, not " + std::string(run, '*'), {}, 0, column};
            }
            pattern.tokens.push_back({run == 2 ? Kind::AnyRun : Kind::Star, '*'});
            i += run - 1;
        } else {
            pattern.tokens.push_back({c == '.' ? Kind::AnyDot : Kind::Character, c});
        }
    }
    return pattern;
}

std::vector<bool> NodePattern::matchesIn(const CompoundGraph& graph) const {
    std::vector<bool> matched(static_cast<std::size_t>(graph.nodeCount()), false);
    Matcher matcher(tokens);
    std::vector<uint16_t> initial;
    matcher.start(initial);
    // The states after each depth's node on the way down to the current one.
    std::vector<std::vector<uint16_t>> level;
    for (const int32_t node : topDown(graph)) {
        const auto depth = static_cast<std::size_t>(graph.depth[static_cast<std::size_t>(node)]);
        if (level.size() <= depth) {
            level.resize(depth + 1);
        }
        std::vector<uint16_t>& states = level[depth];
        // The top's name is left out of the paths: its own path is empty,
        // and no pattern names it.
        if (depth == 0) {
            states = initial;
            continue;
        }
        if (depth == 1) {
            states = initial;
        } else {
            matcher.step(level[depth - 1], '.', false, states);
        }
        matcher.name(graph.name(node), states);
        matched[static_cast<std::size_t>(node)] = matcher.accepts(states);
    }
    return matched;
}

std::vector<int32_t> highestMatches(const CompoundGraph& graph, const std::vector<bool>& matched) {
    std::vector<int32_t> highest(static_cast<std::size_t>(graph.nodeCount()), CompoundGraph::none);
    for (const int32_t node : topDown(graph)) {
        const int32_t parent = graph.parent[static_cast<std::size_t>(node)];
        const int32_t above = parent == CompoundGraph::none
                                  ? CompoundGraph::none
                                  : highest[static_cast<std::size_t>(parent)];
        highest[static_cast<std::size_t>(node)] =
            above != CompoundGraph::none || !matched[static_cast<std::size_t>(node)] ? above : node;
    }
    return highest;
}
