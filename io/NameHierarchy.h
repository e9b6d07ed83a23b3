#pragma once

#include "base/KeyedHash.h"
#include "base/Result.h"
#include "graph/CompoundGraph.h"
#include "graph/RelationPairSet.h"

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Formats that name elements instead of giving a hierarchy (JSON imports,
// edge lists) get their hierarchy from the names: "a.b.c" is leaf c under
// b under a, each distinct prefix an inner node.

inline constexpr std::string_view nameSeparators[] = {"::", "/", "."};

// The separator the names use: the first of "::", "/" and "." that at least
// a tenth of them contain, or none (empty) when no name holds any.
std::string_view detectSeparator(const std::vector<std::string_view>& names);

// The non-empty parts of a name between separators, one at a time, so that a
// name of millions of parts is never held split; the whole name when the
// separator is empty or the name is nothing but separators.
class NameParts {
public:
    NameParts(std::string_view name, std::string_view separator)
        : name(name), separator(separator) {}

    // The next part; false after the last.
    bool next(std::string_view& part);

private:
    std::string_view name;
    std::string_view separator;
    std::size_t start = 0;
    bool any = false;
};

// Collects named elements and relations between them in the order a reader
// meets them, then builds the hierarchy.
class NameHierarchy {
public:
    // The element of the name, made on first sight; an Error when there
    // would be more elements than a graph may have nodes.
    Result<int32_t> element(std::string_view name);
    // Keeps the relation unless it relates an element to itself or repeats;
    // an Error when there would be more relations than a graph may have.
    Status relate(int32_t source, int32_t target);
    std::size_t elementCount() const { return names.size(); }

    // The graph: a node per element and per distinct prefix, children in
    // the order they were first met, each node named by the last part of
    // its name. The root is the one top-level node, or when there are more
    // (or none), a node named rootName above them. The separator is
    // detected when empty.
    Result<CompoundGraph> finish(std::string_view rootName, std::string_view separator) const;

private:
    std::deque<std::string> names;
    std::unordered_map<std::string_view, int32_t, KeyedStringHash> elementOf;
    std::vector<int32_t> sources;
    std::vector<int32_t> targets;
    RelationPairSet pairs;
};
