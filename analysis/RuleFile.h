#pragma once

#include "analysis/NodePattern.h"
#include "base/Result.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// Architecture rules, one a line, '#' starting a comment:
//   layer NAME PATTERN...                 the nodes named and all below them
//   layers NAME > NAME ... [strict]       a layer may use those after it only
//                                         (strict: only the next)
//   forbid FROM -> TO [error|warn] ["reason"]
//   independent PATTERN [error|warn]      matched nodes may not use one another
//   acyclic PATTERN [error|warn]          matched nodes form no cycle
//   ignore FROM -> TO                     relations left out of every rule
// FROM and TO name a layer, or else are patterns (see NodePattern).

enum class Severity : uint8_t { Error, Warning };

// A pattern and where the file has it.
struct WrittenPattern {
    NodePattern pattern;
    int line = 0;
    int column = 0;
};

// One side of a forbid or ignore rule: a layer's nodes, or the nodes a
// pattern matches and all below them.
struct RuleEnd {
    int32_t layer = -1;
    int32_t pattern = -1;
};

struct LayerDefinition {
    std::string name;
    // Into RuleSet::patterns.
    std::vector<int32_t> patterns;
    int line = 0;
};

struct Rule {
    enum class Kind : uint8_t { Layers, Forbid, Independent, Acyclic, Ignore };
    Kind kind = Kind::Forbid;
    int line = 0;
    // The line as written, without its comment and outer blanks.
    std::string text;
    Severity severity = Severity::Error;
    // Layers: into RuleSet::layers, first the one that may use all others.
    std::vector<int32_t> layers;
    bool strict = false;
    // Forbid and Ignore.
    RuleEnd from;
    RuleEnd to;
    // Independent and Acyclic: into RuleSet::patterns.
    int32_t pattern = -1;
    // Forbid: why, as the file says.
    std::string reason;
};

struct RuleSet {
    std::string path;
    std::vector<WrittenPattern> patterns;
    std::vector<LayerDefinition> layers;
    // In file order, ignore lines too.
    std::vector<Rule> rules;
};

// What a rules file may cost: it is read whole and each pattern walks the
// whole tree.
namespace rulefile {

inline constexpr std::size_t maxFileBytes = std::size_t{1} << 20;
inline constexpr std::size_t maxLineBytes = 4096;
// Layer lines and rules together.
inline constexpr std::size_t maxStatements = 1000;

// The rules in the file; an Error with the path, line, column and reason
// for the first fault: an unknown word, a layer defined twice, a 'layers'
// line naming no layer, an arrow other than '->', a bad pattern, a quote
// left open, a line or a file past the limits.
Result<RuleSet> read(const std::string& path);
Result<RuleSet> parse(std::string_view text, const std::string& path);
// The same, shared as the pictures hold rules; null for an empty path.
Result<std::shared_ptr<const RuleSet>> readShared(const std::string& path);

} // namespace rulefile
