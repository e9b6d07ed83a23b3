#pragma once

#include "explore/Camera.h"
#include "frame/SceneSnapshot.h"
#include "model/Highlight.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// The user's exploration of the picture: the camera, the node under the
// pointer and the node pinned, and a search with its matches. Turns pointer
// and key actions, in window pixels with the origin at the top left, into
// camera moves and the view state the scene is drawn for. Knows nothing of
// windows or drawing; times are in milliseconds from any fixed start.
class Explorer {
public:
    // How far the pointer may move between press and release for a click.
    static constexpr double clickSlop = 4.0;
    // Two clicks closer in time make a double click.
    static constexpr double doubleClickMilliseconds = 400.0;
    // How near a node the pointer must be to pick it, in pixels.
    static constexpr double pickPixels = 8.0;
    // One wheel step or key press zooms by this factor.
    static constexpr double zoomStep = 1.25;
    // An arrow key moves the view by this many pixels.
    static constexpr double panStep = 40.0;
    // A camera that has not moved for this long is at rest, and the scene
    // is drawn again for what it shows.
    static constexpr double restMilliseconds = 200.0;

    // The scene the pointer explores. A new graph (another load) drops the
    // pin, the hover and the search's matches; the camera stays.
    void setScene(std::shared_ptr<const SceneSnapshot> snapshot);
    void setWindow(int width, int height);
    // The width at the window's left that a panel covers: the picture is
    // fitted, centred and zoomed about its middle in the part right of it.
    void setPictureLeft(int left);
    // The window, and the part of it the picture has.
    const ViewWindow& window() const { return shownWindow; }

    void pointerMoved(double x, double y);
    void pointerPressed(double x, double y, double milliseconds);
    // With control held, a click collapses the node under the pointer, or
    // expands it when it is collapsed, instead of pinning it. In the matrix
    // every click on a row's or a column's name or on a bracket does so (a
    // leaf's parent collapses), and pins nothing.
    void pointerReleased(double x, double y, double milliseconds, bool control = false);
    // The pointer left the picture (or went onto the panel).
    void pointerLeft();
    // Positive steps zoom in, with the scene point under the pointer kept.
    void wheel(double x, double y, int steps);
    void zoomAtCentre(int steps);
    // Moves the view by whole pan steps, as the arrow keys do.
    void panSteps(int right, int up);
    // Shows the whole scene: the fitted camera, or, where labels need room
    // around the scene, that camera zoomed out by the fit zoom.
    void fit();
    // A new fit zoom; a view fitted at the old one is fitted again.
    void setFitZoom(double zoom);
    // Moves the view there at once, as the user could have.
    void setCamera(const Camera& camera) { view = camera; }
    // Pins a node of the scene, as a click on it does; none unpins.
    void pin(int32_t node);

    // Collapses an inner node, or expands a collapsed one, from the cut of
    // the settings' depth on; a leaf stays as it is. Another graph, or
    // another depth, starts from that depth's cut again.
    void toggleCollapse(int32_t node);
    // The same for the node under the pointer, as `c` does; in the matrix
    // a leaf's name stands for its parent.
    void toggleHovered();
    void clearToggles();
    // The depth whose cut the toggles start from: another depth drops them.
    void setDepth(int32_t depth);
    const std::vector<int32_t>& toggledNodes() const { return toggled; }

    // Marks every node whose name or path holds the text; the count of
    // matches follows.
    void search(const std::string& text);
    // Pins a match and centres the view on it: the first for 0, else the
    // one that many steps from the match pinned last (wrapping around),
    // expanding the collapsed nodes that hide it.
    void stepThroughMatches(int steps);
    const std::vector<int32_t>& matches() const { return searchMatches; }
    // The match pinned last, counted from 0; none before Enter.
    std::optional<int32_t> currentMatch() const { return matchIndex; }

    // The region to draw follows the camera once it has rested; true when
    // it moved now.
    bool settle(double milliseconds);
    // The camera has moved and has not settled yet.
    bool settling() const { return cameraMoved; }

    const Camera& camera() const { return view; }
    int32_t hovered() const { return hoveredNode; }
    int32_t pinned() const { return pinnedNode; }
    // The pinned node, else the hovered one.
    int32_t highlighted() const;
    const Highlight& highlight() const { return highlightNow; }
    const std::shared_ptr<const SceneSnapshot>& scene() const { return snapshot; }
    // What the scene is drawn for.
    ViewState viewState() const;
    // A button went down on the picture and is not up yet.
    bool held() const { return pressed; }
    // About the node under the pointer, line by line: its path (a long one
    // shortened), its relations, the leaves of an inner node, in a
    // comparison the version it is only in and its relations of each kind,
    // then the first of the nodes it uses and of those that use it (see
    // Highlight::Ends), each list saying how many more there are, and with
    // both-way relations marked, of the nodes it relates to both ways, and
    // with cycles shown, its cycle group. Over a bundle that breaks rules,
    // its ends and relations and how many break each rule. Over a cell of
    // the matrix, its relations: "12 relations from a.b to c.d; 3 back", or
    // those inside a collapsed node. Empty over nothing else.
    std::string tooltip() const;
    // Whether the tooltip lists the nodes related both ways.
    void showBothWays(bool shown) { bothWaysShown = shown; }

private:
    // The node under the pointer: near its place in the picture, or in the
    // matrix the row or column whose name is there, or the bracket's.
    int32_t pickAt(double x, double y) const;
    // In the matrix, what lies under the pointer; nothing in the bundles'.
    std::optional<MatrixLayout::Place> matrixPlaceAt(double x, double y) const;
    std::string cellTooltip(const MatrixLayout::Place& cell) const;
    // The node that collapses or expands for a node picked: itself, or in
    // the matrix a leaf's parent.
    int32_t toggledFor(int32_t node) const;
    // The bundle breaking a rule under the pointer, or -1.
    int32_t pickViolationAt(double x, double y) const;
    // The node shown for a node: itself, or the collapsed one hiding it.
    int32_t shownFor(int32_t node) const;
    void refreshHighlight();

    std::shared_ptr<const SceneSnapshot> snapshot;
    ViewWindow shownWindow;
    Camera view;
    double fitZoom = 1.0;
    FrameRegion region;
    Camera lastSeen;
    ViewWindow lastWindow;
    double movedAt = 0.0;
    bool cameraMoved = false;

    int32_t hoveredNode = CompoundGraph::none;
    std::optional<MatrixLayout::Place> hoveredCell;
    // Over no node, the bundle breaking a rule under the pointer, or -1.
    int32_t hoveredBundle = -1;
    int32_t pinnedNode = CompoundGraph::none;
    Highlight highlightNow;
    // Of the hovered node, when another is pinned.
    Highlight hoverCounts;

    // A button held: where it went down, where the pointer was last, and
    // whether it has moved far enough to pan.
    bool pressed = false;
    double pressX = 0.0;
    double pressY = 0.0;
    double lastX = 0.0;
    double lastY = 0.0;
    bool dragging = false;
    std::optional<double> lastClickAt;
    double lastClickX = 0.0;
    double lastClickY = 0.0;

    // The nodes the user collapsed or expanded, in node order, from the cut
    // of this depth.
    std::vector<int32_t> toggled;
    int32_t toggledFrom = 0;
    std::string searchText;
    std::vector<int32_t> searchMatches;
    std::optional<int32_t> matchIndex;
    bool bothWaysShown = false;
};
