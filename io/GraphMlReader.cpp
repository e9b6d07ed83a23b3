#include "io/GraphMlReader.h"

#include "base/KeyedHash.h"
#include "graph/CompoundGraphBuilder.h"
#include "graph/RelationPairSet.h"
#include "io/FileText.h"
#include "io/GraphLimits.h"
#include "io/RootedNodes.h"

#include <expat.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

namespace graphml {

namespace {

// What a data key holds for us.
enum class KeyRole { Name, Label, Parent };

enum class Element { GraphMl, Key, Graph, Node, Edge, Data, NodeLabel, Other };

struct NodeRecord {
    int32_t id = 0;
    int32_t nestedIn = CompoundGraph::none;
    int line = 0;
    std::optional<std::string> name;
    std::optional<std::string> label;
    std::optional<std::string> shownLabel;
    std::optional<std::string> parentId;
};

struct EdgeRecord {
    int32_t source = 0;
    int32_t target = 0;
    int line = 0;
};

std::string_view localName(const char* name) {
    const std::string_view full(name);
    const std::size_t colon = full.rfind(':');
    return colon == std::string_view::npos ? full : full.substr(colon + 1);
}

const char* attribute(const char** attributes, std::string_view wanted) {
    for (const char** a = attributes; *a != nullptr; a += 2) {
        if (localName(a[0]) == wanted) {
            return a[1];
        }
    }
    return nullptr;
}

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

class Reader {
public:
    explicit Reader(XML_Parser parser) : parser(parser) {}

    void start(const char* rawName, const char** attributes) {
        const std::string_view name = localName(rawName);
        Element kind = Element::Other;
        if (open.empty()) {
            if (name != "graphml") {
                fail("the file is XML but not GraphML (its outer element is <" + shortened(name) +
                     ">)");
                return;
            }
            kind = Element::GraphMl;
        } else if (name == "key") {
            kind = Element::Key;
            defineKey(attributes);
        } else if (name == "graph") {
            kind = Element::Graph;
        } else if (name == "node") {
            // A node refused at its start has no entry to close at its end.
            kind = startNode(attributes) ? Element::Node : Element::Other;
        } else if (name == "edge") {
            kind = Element::Edge;
            addEdge(attributes);
        } else if (name == "data") {
            kind = Element::Data;
            startData(attributes);
        } else if (name == "NodeLabel") {
            kind = Element::NodeLabel;
            if (!openNodes.empty() && !nodes[openNodes.back()].shownLabel) {
                capturing = Capture::ShownLabel;
                captured.clear();
            }
        }
        open.push_back(kind);
    }

    void end() {
        if (open.empty()) {
            return;
        }
        const Element kind = open.back();
        open.pop_back();
        if (kind == Element::Node) {
            openNodes.pop_back();
        } else if ((kind == Element::Data || kind == Element::NodeLabel) &&
                   capturing != Capture::Nothing) {
            NodeRecord& node = nodes[openNodes.back()];
            std::string text = trimmed(captured);
            switch (capturing) {
            case Capture::Name:
                node.name = std::move(text);
                break;
            case Capture::Label:
                node.label = std::move(text);
                break;
            case Capture::Parent:
                node.parentId = std::move(text);
                break;
            case Capture::ShownLabel:
                node.shownLabel = std::move(text);
                break;
            case Capture::Nothing:
                break;
            }
            capturing = Capture::Nothing;
        }
    }

    void text(const char* characters, int length) {
        if (capturing != Capture::Nothing) {
            captured.append(characters, static_cast<std::size_t>(length));
        }
    }

    void fail(std::string reason, int line = 0) {
        if (fault) {
            return;
        }
        fault = Error(std::move(reason), {},
                      line != 0 ? line : static_cast<int>(XML_GetCurrentLineNumber(parser)),
                      line != 0 ? 0 : static_cast<int>(XML_GetCurrentColumnNumber(parser)) + 1);
        XML_StopParser(parser, XML_FALSE);
    }

    const std::optional<Error>& failure() const { return fault; }

    Result<CompoundGraph> finish(std::string_view rootName) {
        if (nodes.empty()) {
            return Error("the file has no nodes");
        }
        std::vector<int32_t> nodeOfId(idText.size(), CompoundGraph::none);
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            nodeOfId[static_cast<std::size_t>(nodes[n].id)] = static_cast<int32_t>(n);
        }
        const auto count = static_cast<int32_t>(nodes.size());
        std::vector<int32_t> parentOf(nodes.size(), CompoundGraph::none);
        for (std::size_t n = 0; n < nodes.size(); ++n) {
            const NodeRecord& node = nodes[n];
            parentOf[n] = node.nestedIn;
            if (!node.parentId) {
                continue;
            }
            const auto named = idIndex.find(*node.parentId);
            const int32_t parent = named == idIndex.end()
                                       ? CompoundGraph::none
                                       : nodeOfId[static_cast<std::size_t>(named->second)];
            if (parent == CompoundGraph::none) {
                return Error("the parent " + inQuotes(*node.parentId) + " of node " +
                                 inQuotes(idOf(node)) + " is not a node",
                             {}, node.line);
            }
            if (node.nestedIn != CompoundGraph::none && node.nestedIn != parent) {
                return Error("node " + inQuotes(idOf(node)) + " lies in node " +
                                 inQuotes(idOf(nodes[static_cast<std::size_t>(node.nestedIn)])) +
                                 " but names " + inQuotes(*node.parentId) + " as its parent",
                             {}, node.line);
            }
            parentOf[n] = parent;
        }
        CompoundGraphBuilder builder;
        addRootedNodes(builder, parentOf, rootName);
        for (int32_t n = 0; n < count; ++n) {
            const NodeRecord& node = nodes[static_cast<std::size_t>(n)];
            const std::optional<std::string>& shown = node.name && !node.name->empty() ? node.name
                                                      : node.label && !node.label->empty()
                                                          ? node.label
                                                          : node.shownLabel;
            builder.setName(n, shown && !shown->empty() ? *shown : idOf(node));
            const int32_t parent = parentOf[static_cast<std::size_t>(n)];
            if (parent != CompoundGraph::none &&
                builder.link(parent, n) != CompoundGraphBuilder::LinkFault::None) {
                return Error("making node " + inQuotes(idOf(node)) + " a child of node " +
                                 inQuotes(*node.parentId) + " closes a cycle",
                             {}, node.line);
            }
        }
        for (const EdgeRecord& edge : edges) {
            for (const int32_t end : {edge.source, edge.target}) {
                if (nodeOfId[static_cast<std::size_t>(end)] == CompoundGraph::none) {
                    return Error("the edge's end " +
                                     inQuotes(idText[static_cast<std::size_t>(end)]) +
                                     " is not a node",
                                 {}, edge.line);
                }
            }
            builder.relate(nodeOfId[static_cast<std::size_t>(edge.source)],
                           nodeOfId[static_cast<std::size_t>(edge.target)]);
        }
        CompoundGraph graph = builder.finish();
        if (Status routes = graphlimits::checkRouteSize(graph); !routes) {
            return routes.error();
        }
        return graph;
    }

private:
    enum class Capture { Nothing, Name, Label, Parent, ShownLabel };

    int line() const { return static_cast<int>(XML_GetCurrentLineNumber(parser)); }

    const std::string& idOf(const NodeRecord& node) const {
        return idText[static_cast<std::size_t>(node.id)];
    }

    void defineKey(const char** attributes) {
        const char* id = attribute(attributes, "id");
        const char* name = attribute(attributes, "attr.name");
        const char* domain = attribute(attributes, "for");
        if (id == nullptr || name == nullptr ||
            (domain != nullptr && std::strcmp(domain, "node") != 0 &&
             std::strcmp(domain, "all") != 0)) {
            return;
        }
        const std::string_view role(name);
        if (role == "name") {
            keys[id] = KeyRole::Name;
        } else if (role == "label") {
            keys[id] = KeyRole::Label;
        } else if (role == "parent") {
            keys[id] = KeyRole::Parent;
        }
    }

    // The index of a node id, interned on first sight.
    std::optional<int32_t> intern(const char* id) {
        const auto [slot, made] = idIndex.try_emplace(id, static_cast<int32_t>(idText.size()));
        if (made) {
            if (static_cast<int64_t>(idText.size()) >= graphlimits::maxNodes) {
                fail("more than " + std::to_string(graphlimits::maxNodes) + " node ids");
                return std::nullopt;
            }
            idText.emplace_back(id);
        }
        return slot->second;
    }

    bool startNode(const char** attributes) {
        const char* id = attribute(attributes, "id");
        if (id == nullptr) {
            fail("a node has no id");
            return false;
        }
        const std::optional<int32_t> index = intern(id);
        if (!index) {
            return false;
        }
        if (defined.size() <= static_cast<std::size_t>(*index)) {
            defined.resize(idText.size(), false);
        }
        if (defined[static_cast<std::size_t>(*index)]) {
            fail("a second node with the id " + inQuotes(id));
            return false;
        }
        defined[static_cast<std::size_t>(*index)] = true;
        NodeRecord node;
        node.id = *index;
        node.nestedIn = openNodes.empty() ? CompoundGraph::none : openNodes.back();
        node.line = line();
        openNodes.push_back(static_cast<int32_t>(nodes.size()));
        nodes.push_back(std::move(node));
        return true;
    }

    void addEdge(const char** attributes) {
        const char* source = attribute(attributes, "source");
        const char* target = attribute(attributes, "target");
        if (source == nullptr || target == nullptr) {
            fail("an edge needs a source and a target");
            return;
        }
        const std::optional<int32_t> from = intern(source);
        const std::optional<int32_t> to = from ? intern(target) : std::nullopt;
        if (!to || *from == *to ||
            !pairs.insert(static_cast<uint32_t>(*from), static_cast<uint32_t>(*to))) {
            return;
        }
        if (edges.size() >= graphlimits::maxRelations) {
            fail(graphlimits::relationLimitReason());
            return;
        }
        edges.push_back({*from, *to, line()});
    }

    void startData(const char** attributes) {
        if (open.empty() || open.back() != Element::Node) {
            return;
        }
        const char* key = attribute(attributes, "key");
        const auto role = key == nullptr ? keys.end() : keys.find(key);
        if (role == keys.end()) {
            return;
        }
        capturing = role->second == KeyRole::Name    ? Capture::Name
                    : role->second == KeyRole::Label ? Capture::Label
                                                     : Capture::Parent;
        captured.clear();
    }

    XML_Parser parser;
    std::vector<Element> open;
    std::vector<int32_t> openNodes;
    // Keyed hashes: ids and key names come from the file.
    std::unordered_map<std::string, KeyRole, KeyedStringHash> keys;
    std::unordered_map<std::string, int32_t, KeyedStringHash> idIndex;
    std::vector<std::string> idText;
    std::vector<bool> defined;
    std::vector<NodeRecord> nodes;
    std::vector<EdgeRecord> edges;
    RelationPairSet pairs;
    Capture capturing = Capture::Nothing;
    std::string captured;
    std::optional<Error> fault;
};

void XMLCALL onStart(void* reader, const XML_Char* name, const XML_Char** attributes) {
    static_cast<Reader*>(reader)->start(name, attributes);
}

void XMLCALL onEnd(void* reader, const XML_Char*) {
    static_cast<Reader*>(reader)->end();
}

void XMLCALL onText(void* reader, const XML_Char* characters, int length) {
    static_cast<Reader*>(reader)->text(characters, length);
}

// Entities can make a small file expand without bound; graph files do not
// need them.
void XMLCALL onEntity(void* reader, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                      const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<Reader*>(reader)->fail("the file declares an entity, which GraphML does not use");
}

// Attribute defaults from a DOCTYPE would give elements ids and ends that the
// file does not show, as long as the declaration makes them.
void XMLCALL onAttributeList(void* reader, const XML_Char*, const XML_Char*, const XML_Char*,
                             const XML_Char* byDefault, int) {
    if (byDefault != nullptr) {
        static_cast<Reader*>(reader)->fail(
            "the file declares an attribute default, which GraphML does not use");
    }
}

// Handed to the parser this many bytes at a time, with progress between.
constexpr std::size_t chunkBytes = std::size_t{1} << 20;

} // namespace

Result<CompoundGraph> parse(std::string_view text, std::string_view rootName, Progress* progress) {
    const std::unique_ptr<std::remove_pointer_t<XML_Parser>, void (*)(XML_Parser)> parser(
        XML_ParserCreate(nullptr), &XML_ParserFree);
    if (!parser) {
        return Error("out of memory for the XML parser");
    }
    Reader reader(parser.get());
    XML_SetUserData(parser.get(), &reader);
    XML_SetElementHandler(parser.get(), &onStart, &onEnd);
    XML_SetCharacterDataHandler(parser.get(), &onText);
    XML_SetEntityDeclHandler(parser.get(), &onEntity);
    XML_SetAttlistDeclHandler(parser.get(), &onAttributeList);
    std::size_t position = 0;
    do {
        if (progress != nullptr && position > 0) {
            if (progress->cancelled()) {
                return Error(std::string(cancelledReason));
            }
            progress->advance(static_cast<double>(position) / static_cast<double>(text.size()));
        }
        const std::size_t length = std::min(chunkBytes, text.size() - position);
        const bool last = position + length == text.size();
        const XML_Status status = XML_Parse(parser.get(), text.data() + position,
                                            static_cast<int>(length), last ? XML_TRUE : XML_FALSE);
        if (reader.failure()) {
            return *reader.failure();
        }
        if (status != XML_STATUS_OK) {
            return Error(XML_ErrorString(XML_GetErrorCode(parser.get())), {},
                         static_cast<int>(XML_GetCurrentLineNumber(parser.get())),
                         static_cast<int>(XML_GetCurrentColumnNumber(parser.get())) + 1);
        }
        position += length;
    } while (position < text.size());
    return reader.finish(rootName);
}

} // namespace graphml
