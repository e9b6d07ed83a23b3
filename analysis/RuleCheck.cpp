#include "analysis/RuleCheck.h"

#include "analysis/NodePaths.h"
#include "analysis/StrongComponents.h"

#include <algorithm>
#include <cstddef>
#include <optional>

namespace {

constexpr int32_t noLayer = -1;

// What the rules need of each pattern, worked out once per pattern.
class PatternNodes {
public:
    PatternNodes(const RuleSet& rules, const CompoundGraph& graph, std::vector<Error>& warnings)
        : graph(graph), matched(rules.patterns.size()), highest(rules.patterns.size()) {
        for (std::size_t p = 0; p < rules.patterns.size(); ++p) {
            const WrittenPattern& written = rules.patterns[p];
            matched[p] = written.pattern.matchesIn(graph);
            if (std::find(matched[p].begin(), matched[p].end(), true) == matched[p].end()) {
                warnings.push_back(
                    Error{"pattern " + inQuotes(written.pattern.text(), '\'') + " matches no node",
                          rules.path, written.line, written.column});
            }
        }
    }

    const std::vector<bool>& matches(int32_t pattern) const {
        return matched[static_cast<std::size_t>(pattern)];
    }

    // Per node, its highest ancestor-or-self the pattern matches, or none.
    const std::vector<int32_t>& highestMatch(int32_t pattern) {
        std::optional<std::vector<int32_t>>& found = highest[static_cast<std::size_t>(pattern)];
        if (!found) {
            found = highestMatches(graph, matches(pattern));
        }
        return *found;
    }

private:
    const CompoundGraph& graph;
    std::vector<std::vector<bool>> matched;
    std::vector<std::optional<std::vector<int32_t>>> highest;
};

// Per node, its layer (into rules.layers), or noLayer.
std::vector<int32_t> layersOf(const RuleSet& rules, const CompoundGraph& graph,
                              const PatternNodes& patterns, std::vector<Error>& warnings) {
    const auto nodes = static_cast<std::size_t>(graph.nodeCount());
    std::vector<int32_t> named(nodes, noLayer);
    std::vector<bool> matchesAny(rules.layers.size(), false);
    // Layers are numbered in the order of their lines, so that the first
    // line to name a node keeps it.
    for (std::size_t layer = 0; layer < rules.layers.size(); ++layer) {
        for (const int32_t pattern : rules.layers[layer].patterns) {
            const std::vector<bool>& matched = patterns.matches(pattern);
            for (std::size_t node = 0; node < nodes; ++node) {
                if (matched[node]) {
                    matchesAny[layer] = true;
                    if (named[node] == noLayer) {
                        named[node] = static_cast<int32_t>(layer);
                    }
                }
            }
        }
    }
    std::vector<int32_t> layerOf(nodes, noLayer);
    for (const int32_t node : topDown(graph)) {
        const auto v = static_cast<std::size_t>(node);
        const int32_t parent = graph.parent[v];
        layerOf[v] = named[v] != noLayer || parent == CompoundGraph::none
                         ? named[v]
                         : layerOf[static_cast<std::size_t>(parent)];
    }
    std::vector<bool> holds(rules.layers.size(), false);
    for (const int32_t layer : layerOf) {
        if (layer != noLayer) {
            holds[static_cast<std::size_t>(layer)] = true;
        }
    }
    for (std::size_t l = 0; l < rules.layers.size(); ++l) {
        // A layer whose patterns match nothing has its warnings already.
        if (matchesAny[l] && !holds[l]) {
            warnings.push_back(Error{"layer '" + rules.layers[l].name +
                                         "' holds no node: earlier layer lines take all it names",
                                     rules.path, rules.layers[l].line});
        }
    }
    return layerOf;
}

class Checker {
public:
    Checker(const RuleSet& rules, const CompoundGraph& graph, RuleFindings& findings)
        : rules(rules), graph(graph), patterns(rules, graph, findings.warnings),
          layerOf(layersOf(rules, graph, patterns, findings.warnings)),
          ignored(static_cast<std::size_t>(graph.edgeCount()), false) {}

    // Every relation the line covers, whether another ignore line covers it too.
    std::vector<int32_t> leftOut(const Rule& rule) {
        std::vector<int32_t> found = inEnds(rule, true);
        for (const int32_t relation : found) {
            ignored[static_cast<std::size_t>(relation)] = true;
        }
        return found;
    }

    std::vector<int32_t> broken(const Rule& rule) {
        switch (rule.kind) {
        case Rule::Kind::Layers:
            return brokenLayers(rule);
        case Rule::Kind::Forbid:
            return inEnds(rule, false);
        case Rule::Kind::Independent: {
            const std::vector<int32_t>& highest = patterns.highestMatch(rule.pattern);
            return matching([&](int32_t from, int32_t to) {
                const int32_t a = highest[static_cast<std::size_t>(from)];
                const int32_t b = highest[static_cast<std::size_t>(to)];
                return a != CompoundGraph::none && b != CompoundGraph::none && a != b;
            });
        }
        case Rule::Kind::Acyclic:
            return brokenAcyclic(rule);
        case Rule::Kind::Ignore:
            break;
        }
        return {};
    }

private:
    // The relations the test holds for, those left out too where asked.
    template <typename Test>
    std::vector<int32_t> matching(Test&& test, bool withIgnored = false) const {
        std::vector<int32_t> found;
        for (int32_t e = 0; e < graph.edgeCount(); ++e) {
            const auto i = static_cast<std::size_t>(e);
            if ((withIgnored || !ignored[i]) && test(graph.source[i], graph.target[i])) {
                found.push_back(e);
            }
        }
        return found;
    }

    std::vector<int32_t> inEnds(const Rule& rule, bool withIgnored) {
        return matching(
            [&](int32_t from, int32_t to) { return inEnd(rule.from, from) && inEnd(rule.to, to); },
            withIgnored);
    }

    bool inEnd(const RuleEnd& end, int32_t node) {
        if (end.layer != noLayer) {
            return layerOf[static_cast<std::size_t>(node)] == end.layer;
        }
        return patterns.highestMatch(end.pattern)[static_cast<std::size_t>(node)] !=
               CompoundGraph::none;
    }

    std::vector<int32_t> brokenLayers(const Rule& rule) const {
        // Each layer's place in the rule; a layer it leaves out has none.
        std::vector<int32_t> place(rules.layers.size(), -1);
        for (std::size_t i = 0; i < rule.layers.size(); ++i) {
            place[static_cast<std::size_t>(rule.layers[i])] = static_cast<int32_t>(i);
        }
        const auto placeOf = [&](int32_t node) {
            const int32_t layer = layerOf[static_cast<std::size_t>(node)];
            return layer == noLayer ? -1 : place[static_cast<std::size_t>(layer)];
        };
        return matching([&](int32_t from, int32_t to) {
            const int32_t a = placeOf(from);
            const int32_t b = placeOf(to);
            if (a < 0 || b < 0 || a == b) {
                return false;
            }
            return b < a || (rule.strict && b != a + 1);
        });
    }

    std::vector<int32_t> brokenAcyclic(const Rule& rule) {
        const std::vector<int32_t>& highest = patterns.highestMatch(rule.pattern);
        // The relations between matched nodes, as arcs between those nodes.
        std::vector<int32_t> between;
        std::vector<int32_t> from;
        std::vector<int32_t> to;
        for (const int32_t e : matching([&](int32_t a, int32_t b) {
                 const int32_t ha = highest[static_cast<std::size_t>(a)];
                 const int32_t hb = highest[static_cast<std::size_t>(b)];
                 return ha != CompoundGraph::none && hb != CompoundGraph::none && ha != hb;
             })) {
            between.push_back(e);
            from.push_back(
                highest[static_cast<std::size_t>(graph.source[static_cast<std::size_t>(e)])]);
            to.push_back(
                highest[static_cast<std::size_t>(graph.target[static_cast<std::size_t>(e)])]);
        }
        const StrongComponents components = strongComponents(graph.nodeCount(), from, to);
        std::vector<int32_t> found;
        for (std::size_t i = 0; i < between.size(); ++i) {
            if (components.component[static_cast<std::size_t>(from[i])] ==
                components.component[static_cast<std::size_t>(to[i])]) {
                found.push_back(between[i]);
            }
        }
        return found;
    }

    const RuleSet& rules;
    const CompoundGraph& graph;
    PatternNodes patterns;
    std::vector<int32_t> layerOf;
    std::vector<bool> ignored;
};

} // namespace

int64_t RuleFindings::violations(const RuleSet& rules, Severity severity) const {
    int64_t count = 0;
    for (std::size_t r = 0; r < rules.rules.size(); ++r) {
        const Rule& rule = rules.rules[r];
        if (rule.kind != Rule::Kind::Ignore && rule.severity == severity) {
            count += static_cast<int64_t>(relations[r].size());
        }
    }
    return count;
}

RuleFindings checkRules(const RuleSet& rules, const CompoundGraph& graph) {
    RuleFindings findings;
    findings.relations.resize(rules.rules.size());
    Checker checker(rules, graph, findings);
    std::sort(findings.warnings.begin(), findings.warnings.end(),
              [](const Error& a, const Error& b) {
                  return a.line < b.line || (a.line == b.line && a.column < b.column);
              });
    for (std::size_t r = 0; r < rules.rules.size(); ++r) {
        if (rules.rules[r].kind == Rule::Kind::Ignore) {
            findings.relations[r] = checker.leftOut(rules.rules[r]);
        }
    }
    for (std::size_t r = 0; r < rules.rules.size(); ++r) {
        if (rules.rules[r].kind != Rule::Kind::Ignore) {
            findings.relations[r] = checker.broken(rules.rules[r]);
        }
    }
    return findings;
}
