#pragma once

#include "tools/graphgen/SyntheticGraph.h"

#include <memory>
#include <string>

#include <benchmark/benchmark.h>

#include <cstdint>

class Scene;

// Path of a synthetic graph file for benchmarks, written on first use into
// the build's bench-data folder. It is written by a child process so that
// the generator's memory does not count in the benchmark's peak.
std::string syntheticGraphFile(const SyntheticGraphParameters& parameters);

// The graph of the performance targets: 1,000,000 relations over 100,000 nodes.
SyntheticGraphParameters millionRelations();

// The same 100,000 nodes with another number of relations.
SyntheticGraphParameters millionRelationsNodesWith(int64_t relations);

// The graph of the levels' targets: 20,000,000 relations over 2,000,000
// nodes (a fan-out of 13 is what fills two million nodes at depth 6 with
// this seed).
SyntheticGraphParameters twentyMillionRelations();

// A graph the size of every Debian package and its dependencies: 65,113
// nodes and 245,210 relations.
SyntheticGraphParameters debianSized();

// Peak resident memory of this process so far, in MiB.
double peakResidentMiB();

// A scene that has loaded the file through the viewer's load chain, its
// console texts swallowed: benchmarks measure the work, not the console.
// Throws when the file is rejected.
std::unique_ptr<Scene> loadQuietly(const std::string& path);

// A layout switch as the viewer makes it: from another layout to the one
// of the benchmark's argument (a TreeLayoutType), only the switch timed.
void switchLayouts(benchmark::State& state, Scene& scene);
