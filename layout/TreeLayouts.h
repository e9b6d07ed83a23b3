#pragma once

#include "graph/CompoundGraph.h"
#include "layout/Point.h"
#include "layout/TreeLayoutData.h"
#include "layout/TreeLayoutType.h"
#include "layout/TreeMap.h"

#include <span>
#include <vector>

// Node positions of the five layouts, written into a table indexed by node
// id. Each writes only the nodes it places, so a node a layout does not
// reach keeps the position it had.

// Radial: the root at the centre, levels on rings, leaves on the circle of
// radius radialRadius running clockwise from the top.
void placeRadial(const TreeLayoutData& data, std::span<Point> positions);
// Classic: the root at y = -1, leaves on y = 0, x from -1 to 1 in leaf order.
void placeClassic(const TreeLayoutData& data, std::span<Point> positions);
// The nodes placed where a leaf with their span would lie, in the radial
// and classic layouts (other types leave them): a collapsed node stands for
// its leaves there, and no other node moves.
void placeAsLeaves(TreeLayoutType type, const TreeLayoutData& data, std::span<const int32_t> nodes,
                   std::span<Point> positions);
// The centres of the treemap's rectangles, for the root's subtree.
void copyTreeMapCentres(const CompoundGraph& graph, int32_t node, const TreeMapNode* treeMapNode,
                        std::span<Point> positions);

// Each node's treemap rectangle, by node id; empty rectangles for nodes
// outside the root's subtree.
std::vector<Rect> treeMapRectangles(const CompoundGraph& graph, const TreeMap& treeMap);

// Any layout: a treemap type first lays the treemap out afresh with a new
// strategy of that type and the spacing. A value outside the five leaves the
// positions as they are.
void applyLayout(TreeLayoutType type, const CompoundGraph& graph, const TreeLayoutData& data,
                 TreeMap& treeMap, float spacing, std::span<Point> positions);

bool isTreeMapLayout(TreeLayoutType layoutType);
