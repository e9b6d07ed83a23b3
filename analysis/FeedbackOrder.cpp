#include "analysis/FeedbackOrder.h"

#include "analysis/ArcsByNode.h"

#include <algorithm>
#include <cstddef>
#include <limits>
#include <queue>
#include <utility>

namespace {

// Passes of single-node moves at the most: each pass costs a sort of every
// node's arcs, and the first few find nearly all there is to gain.
constexpr int maxMovePasses = 16;

struct ArcsAtNodes {
    const WeightedArcs& arcs;
    ArcsByNode out;
    ArcsByNode in;
};

std::vector<int32_t> greedyOrder(const ArcsAtNodes& at) {
    const WeightedArcs& arcs = at.arcs;
    const auto nodes = static_cast<std::size_t>(arcs.nodeCount);
    std::vector<int64_t> outWeight(nodes, 0);
    std::vector<int64_t> inWeight(nodes, 0);
    for (std::size_t a = 0; a < arcs.source.size(); ++a) {
        outWeight[static_cast<std::size_t>(arcs.source[a])] += arcs.weight[a];
        inWeight[static_cast<std::size_t>(arcs.target[a])] += arcs.weight[a];
    }
    std::vector<char> removed(nodes, 0);
    // Queues read from their front; a node may wait in both, and many
    // times in the heap, and is taken only while its entry is current.
    std::vector<int32_t> sinks;
    std::vector<int32_t> sources;
    std::size_t nextSink = 0;
    std::size_t nextSource = 0;
    // Out minus in, then the lower node first.
    std::priority_queue<std::pair<int64_t, int32_t>> byBalance;
    // Every node has an entry for its weights as they are, so that the heap
    // holds a current one for each node left whenever no sink or source is.
    for (int32_t v = 0; v < arcs.nodeCount; ++v) {
        const auto i = static_cast<std::size_t>(v);
        if (outWeight[i] == 0) {
            sinks.push_back(v);
        } else if (inWeight[i] == 0) {
            sources.push_back(v);
        }
        byBalance.push({outWeight[i] - inWeight[i], -v});
    }
    std::vector<int32_t> front;
    std::vector<int32_t> back;
    const auto take = [&]() -> int32_t {
        while (nextSink < sinks.size()) {
            const int32_t v = sinks[nextSink++];
            if (!removed[static_cast<std::size_t>(v)]) {
                back.push_back(v);
                return v;
            }
        }
        while (nextSource < sources.size()) {
            const int32_t v = sources[nextSource++];
            if (!removed[static_cast<std::size_t>(v)]) {
                front.push_back(v);
                return v;
            }
        }
        while (true) {
            const auto [balance, negated] = byBalance.top();
            byBalance.pop();
            const auto i = static_cast<std::size_t>(-negated);
            if (!removed[i] && balance == outWeight[i] - inWeight[i]) {
                front.push_back(-negated);
                return -negated;
            }
        }
    };
    // A node left loses an arc to the node taken: on its side `weights`,
    // and it becomes a sink or a source when that side is empty.
    const auto lose = [&](std::size_t u, int64_t weight, std::vector<int64_t>& weights,
                          std::vector<int32_t>& emptied) {
        weights[u] -= weight;
        if (weights[u] == 0) {
            emptied.push_back(static_cast<int32_t>(u));
        }
        byBalance.push({outWeight[u] - inWeight[u], -static_cast<int32_t>(u)});
    };
    for (std::size_t left = nodes; left > 0; --left) {
        const int32_t v = take();
        removed[static_cast<std::size_t>(v)] = 1;
        for (const int32_t a : at.out.at(v)) {
            const auto arc = static_cast<std::size_t>(a);
            const auto u = static_cast<std::size_t>(arcs.target[arc]);
            if (!removed[u]) {
                lose(u, arcs.weight[arc], inWeight, sources);
            }
        }
        for (const int32_t a : at.in.at(v)) {
            const auto arc = static_cast<std::size_t>(a);
            const auto u = static_cast<std::size_t>(arcs.source[arc]);
            if (!removed[u]) {
                lose(u, arcs.weight[arc], outWeight, sinks);
            }
        }
    }
    front.insert(front.end(), back.rbegin(), back.rend());
    return front;
}

// A node's arcs to the nodes at one place of the order: their weight out
// of the node and into it.
struct Neighbours {
    double key;
    int64_t out;
    int64_t in;
};

// Moves single nodes between their neighbours wherever that lowers the
// backward weight. Only a node's own arcs change direction when it moves,
// so each node's place is chosen among the gaps between its neighbours;
// places are kept as keys, so that a move costs no shifting of the order.
void improveByMoves(const ArcsAtNodes& at, std::vector<int32_t>& order) {
    const WeightedArcs& arcs = at.arcs;
    std::vector<double> key(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        key[static_cast<std::size_t>(order[i])] = static_cast<double>(i);
    }
    std::vector<Neighbours> around;
    for (int pass = 0; pass < maxMovePasses; ++pass) {
        bool moved = false;
        for (const int32_t v : order) {
            around.clear();
            for (const int32_t a : at.out.at(v)) {
                const auto arc = static_cast<std::size_t>(a);
                around.push_back(
                    {key[static_cast<std::size_t>(arcs.target[arc])], arcs.weight[arc], 0});
            }
            for (const int32_t a : at.in.at(v)) {
                const auto arc = static_cast<std::size_t>(a);
                around.push_back(
                    {key[static_cast<std::size_t>(arcs.source[arc])], 0, arcs.weight[arc]});
            }
            std::sort(around.begin(), around.end(),
                      [](const Neighbours& a, const Neighbours& b) { return a.key < b.key; });
            // Neighbours at one key cannot be parted by a move: merged.
            std::size_t kept = 0;
            for (const Neighbours& n : around) {
                if (kept > 0 && around[kept - 1].key == n.key) {
                    around[kept - 1].out += n.out;
                    around[kept - 1].in += n.in;
                } else {
                    around[kept++] = n;
                }
            }
            around.resize(kept);
            const double own = key[static_cast<std::size_t>(v)];
            int64_t now = 0;
            int64_t cost = 0;
            for (const Neighbours& n : around) {
                now += n.key < own ? n.out : n.in;
                cost += n.in;
            }
            // Cost of the gap before around[g]: arcs out to those before it
            // and arcs in from those after it run backward.
            int64_t best = cost;
            std::size_t bestGap = 0;
            for (std::size_t g = 0; g < around.size(); ++g) {
                cost += around[g].out - around[g].in;
                if (cost < best) {
                    best = cost;
                    bestGap = g + 1;
                }
            }
            if (best >= now) {
                continue;
            }
            const double low = bestGap > 0 ? around[bestGap - 1].key : around.front().key - 1.0;
            const double high =
                bestGap < around.size() ? around[bestGap].key : around.back().key + 1.0;
            const double middle = low + (high - low) / 2.0;
            // Halving has run out of precision here until the keys are renumbered.
            if (middle > low && middle < high) {
                key[static_cast<std::size_t>(v)] = middle;
                moved = true;
            }
        }
        if (!moved) {
            break;
        }
        std::sort(order.begin(), order.end(), [&key](int32_t a, int32_t b) {
            const double ka = key[static_cast<std::size_t>(a)];
            const double kb = key[static_cast<std::size_t>(b)];
            return ka < kb || (ka == kb && a < b);
        });
        for (std::size_t i = 0; i < order.size(); ++i) {
            key[static_cast<std::size_t>(order[i])] = static_cast<double>(i);
        }
    }
}

std::vector<int32_t> placesOf(std::span<const int32_t> order) {
    std::vector<int32_t> place(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        place[static_cast<std::size_t>(order[i])] = static_cast<int32_t>(i);
    }
    return place;
}

int64_t weightOf(const WeightedArcs& arcs, std::span<const int32_t> chosen) {
    int64_t sum = 0;
    for (const int32_t a : chosen) {
        sum += arcs.weight[static_cast<std::size_t>(a)];
    }
    return sum;
}

} // namespace

std::vector<int32_t> feedbackPlaces(const WeightedArcs& arcs) {
    const ArcsAtNodes at{arcs, arcsByNode(arcs.nodeCount, arcs.source),
                         arcsByNode(arcs.nodeCount, arcs.target)};
    std::vector<int32_t> order = greedyOrder(at);
    improveByMoves(at, order);
    std::vector<int32_t> place = placesOf(order);
    int64_t total = 0;
    for (const int64_t weight : arcs.weight) {
        total += weight;
    }
    // Every arc runs backward in exactly one of the order and its reverse.
    if (2 * weightOf(arcs, backwardArcs(arcs, place)) > total) {
        for (int32_t& p : place) {
            p = arcs.nodeCount - 1 - p;
        }
    }
    return place;
}

std::vector<int32_t> backwardArcs(const WeightedArcs& arcs, std::span<const int32_t> place) {
    std::vector<int32_t> backward;
    for (std::size_t a = 0; a < arcs.source.size(); ++a) {
        if (place[static_cast<std::size_t>(arcs.source[a])] >
            place[static_cast<std::size_t>(arcs.target[a])]) {
            backward.push_back(static_cast<int32_t>(a));
        }
    }
    return backward;
}
