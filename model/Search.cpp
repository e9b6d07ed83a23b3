#include "model/Search.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <string>
#include <utility>

namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Finds the lowered text in a stream of characters, lowered as they come,
// one character at a time (the text's matching automaton). A state is how
// much of the text the stream ends with; only the text's own characters
// get a column, so the table stays small whatever the alphabet.
class TextFinder {
public:
    explicit TextFinder(std::string_view text) : length(static_cast<int32_t>(text.size())) {
        std::string wanted;
        for (const char c : text) {
            wanted += lower(c);
            uint16_t& column = columnOf[static_cast<unsigned char>(wanted.back())];
            if (column == 0) {
                column = ++columns;
            }
        }
        const std::size_t width = static_cast<std::size_t>(columns) + 1;
        next.assign(static_cast<std::size_t>(length) * width, 0);
        // From state s, the character after the text's first s goes on to
        // s + 1; any other goes where it goes from the state the text's
        // first s characters end in, less the first.
        int32_t fallback = 0;
        for (int32_t state = 0; state < length; ++state) {
            const std::size_t row = static_cast<std::size_t>(state) * width;
            const std::size_t fallbackRow = static_cast<std::size_t>(fallback) * width;
            const uint16_t column = columnOf[static_cast<unsigned char>(wanted[state])];
            if (state > 0) {
                std::copy_n(next.begin() + static_cast<std::ptrdiff_t>(fallbackRow), width,
                            next.begin() + static_cast<std::ptrdiff_t>(row));
                fallback = next[fallbackRow + column];
            }
            next[row + column] = state + 1;
        }
    }

    // The state after `from` reads the characters; the whole text when it
    // was found among them.
    int32_t read(int32_t from, std::string_view characters) const {
        const std::size_t width = static_cast<std::size_t>(columns) + 1;
        int32_t state = from;
        for (const char c : characters) {
            if (state == length) {
                break;
            }
            const uint16_t column = columnOf[static_cast<unsigned char>(lower(c))];
            state = next[static_cast<std::size_t>(state) * width + column];
        }
        return state;
    }

    int32_t found() const { return length; }

private:
    int32_t length;
    // Column 0 stands for every character the text does not hold.
    std::array<uint16_t, 256> columnOf{};
    uint16_t columns = 0;
    std::vector<int32_t> next;
};

} // namespace

std::vector<int32_t> searchNodes(const CompoundGraph& graph, std::string_view text) {
    std::vector<int32_t> matches;
    if (text.empty()) {
        return matches;
    }
    // A node's path is its parent's, a dot and its name: the finder's state
    // after the parent's path goes on over the dot and the name, so that no
    // path is ever built. Below a match, every path matches.
    const TextFinder finder(text);
    const auto count = static_cast<std::size_t>(graph.nodeCount());
    std::vector<int32_t> state(count, 0);
    for (int32_t top = 0; top < graph.nodeCount(); ++top) {
        if (graph.parent[static_cast<std::size_t>(top)] != CompoundGraph::none) {
            continue;
        }
        for (const int32_t node : preorder(graph, top)) {
            const int32_t parent = graph.parent[static_cast<std::size_t>(node)];
            int32_t& at = state[static_cast<std::size_t>(node)];
            if (parent == CompoundGraph::none) {
                at = finder.read(0, graph.name(node));
            } else if (state[static_cast<std::size_t>(parent)] == finder.found()) {
                at = finder.found();
            } else {
                at = finder.read(finder.read(state[static_cast<std::size_t>(parent)], "."),
                                 graph.name(node));
            }
        }
    }
    for (int32_t node = 0; node < graph.nodeCount(); ++node) {
        if (state[static_cast<std::size_t>(node)] == finder.found()) {
            matches.push_back(node);
        }
    }
    return matches;
}
