#pragma once

#include "analysis/DependencyMatrix.h"
#include "base/Error.h"
#include "frame/DrawDescription.h"
#include "frame/FrameReuse.h"
#include "frame/Labels.h"
#include "frame/MatrixDrawing.h"
#include "frame/RampColours.h"
#include "frame/SceneFindings.h"
#include "frame/SceneSnapshot.h"
#include "model/Scene.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

// A frame as a session makes it: what to draw, and the scene it shows, for
// answering the pointer and writing names in the window.
struct SessionFrame {
    std::shared_ptr<const DrawDescription> description;
    std::shared_ptr<const SceneSnapshot> snapshot;
    // Where the hierarchy is cut, in the line that says so.
    CutSummary cut;
};

// The one way frames are made, for the viewer's worker, hebview-render,
// saving and the graph's own drawing: the scene cut at the settings' depth
// with the view's toggled nodes and brought up to date for the settings,
// described for the view at its size (widths, given in pixels of the
// 2048-pixel frame, scaled to it), with the ramp's colours and the names the
// frame shows placed at its size. A frame that would look like the last one made
// is not made again. Knows no GL.
class FrameSession {
public:
    // Frames of framePixels square, drawn from the scene, which the session
    // brings up to date and which its owner may replace (a load).
    explicit FrameSession(Scene& scene, int framePixels = DrawDescription::framePixels);

    void setRamps(RampColours newRamps) { ramps = std::move(newRamps); }
    // For a window, which keeps the picture it shows: a highlight on a
    // picture of more than readableBundles curves is that picture, dimmed,
    // under the node's own curves (see DrawDescription::under), so that it
    // is drawn in a blink.
    void keepPictures(bool kept) { picturesKept = kept; }
    // The rules whose violations frames show (null: none); the next frame
    // is made anew.
    void setRules(std::shared_ptr<const RuleSet> rules);
    // What the analysis finds at the scene's cut for the settings, found
    // again only once the cut, the graph or the rules have changed.
    const SceneFindings& findingsFor(const ViewSettings& settings);
    // The memory a new cut's curves may take; measured when not given.
    void setMemoryAvailable(std::optional<uint64_t> bytes) { memoryAvailable = bytes; }
    // How the names measure at labelPixels(); without a measure, frames
    // carry no names.
    void setLabelMeasure(std::shared_ptr<const TextMeasure> measure) {
        labelMeasure = std::move(measure);
    }
    // The height of the names in the frame's pixels: they keep their share
    // of the frame at every frame size.
    float labelPixels() const;
    int framePixels() const { return pixels; }

    // The frame for the settings and the view; nothing when the frame made
    // last shows them still.
    std::optional<SessionFrame> frame(const ViewSettings& settings, const ViewState& view = {});
    // The same, made whatever was made before.
    SessionFrame frameAnyway(const ViewSettings& settings, const ViewState& view = {});
    // The next frame is made whatever its key.
    void forget() { reuse.forget(); }

    // A frame on the way from one picture to the next: the scene as it is
    // but for the nodes' places, and its curves through them. The next
    // frame() is made whatever its key; settle() first puts every node back
    // in its place.
    SessionFrame frameOnTheWay(const ViewSettings& settings, const ViewState& view,
                               std::span<const Point> places);
    void settle();
    int64_t framesMade() const { return reuse.drawnCount(); }

    // The scene as the window needs it, made again only once the graph, the
    // node positions or the bundles have changed; the scene must be up to
    // date.
    std::shared_ptr<const SceneSnapshot> snapshot();
    // The dependency matrix of the scene's cut in the settings' order, made
    // again only once the bundles or the order change; the scene must be up
    // to date.
    std::shared_ptr<const DependencyMatrix> matrix(const ViewSettings& settings);
    // The snapshot, in the matrix view with the matrix and its layout.
    std::shared_ptr<const SceneSnapshot> snapshotFor(const ViewSettings& settings);
    // Cuts the scene as the settings and the view ask, and says how. A cut
    // whose curves the memory cannot hold is refused: the scene keeps its
    // cut, and takeRefusal says why, once.
    CutSummary applyCut(const ViewSettings& settings, const ViewState& view);
    // Shows the cut where its curves fit the memory, else keeps the cut
    // shown and keeps why as the refusal.
    void changeCut(Cut cut, const ViewSettings& settings);
    std::optional<Error> takeRefusal() { return std::exchange(refusal, std::nullopt); }
    // Half the side of the square that holds the scene and its names in the
    // frame, for the settings (the scene's square with labels off, and in
    // the matrix).
    float labelledExtent(const ViewSettings& settings);
    // The half side of the frame's square that leaves room for the key to
    // the colours in its corner around a picture of half side `extent` (at
    // least that); the extent itself without a measure or a key.
    float legendExtent(const ViewSettings& settings, const ViewState& view, float extent);

private:
    MatrixText matrixText() const;
    DrawDescription describe(const ViewSettings& settings, const ViewState& view);
    // The frame for the key, over the plain picture where pictures are kept.
    std::shared_ptr<const DrawDescription> described(const ViewSettings& settings,
                                                     const ViewState& view, const FrameKey& key);
    CutSummary summary() const;

    Scene* scene;
    int pixels;
    RampColours ramps;
    std::shared_ptr<const TextMeasure> labelMeasure;
    FrameReuse reuse;
    std::shared_ptr<const SceneSnapshot> lastSnapshot;
    uint64_t snapshotPositions = 0;
    // What the scene's cut was made from: the graph, the depth, the
    // toggled nodes.
    uint64_t cutGraph = 0;
    int32_t cutDepth = 0;
    std::vector<int32_t> cutToggled;
    int32_t deepest = 0;
    std::optional<Error> refusal;
    std::optional<uint64_t> memoryAvailable;
    bool picturesKept = false;
    SceneFindings findings;
    // What the findings were found for: the bundles (so the cut), and the
    // graph of the rules' relations.
    std::shared_ptr<const Bundles> cyclesFoundFor;
    std::shared_ptr<const Bundles> violationsFoundFor;
    uint64_t rulesCheckedGraph = 0;
    std::shared_ptr<const RuleFindings> ruleFindings;
    std::shared_ptr<const DependencyMatrix> lastMatrix;
    std::shared_ptr<const Bundles> matrixBundles;
    MatrixOrder matrixOrder = MatrixOrder::Tree;
    std::shared_ptr<const SceneSnapshot> matrixSnapshot;
    std::shared_ptr<const SceneSnapshot> matrixSnapshotOf;
    // The last frame made without a highlight, and its key.
    std::shared_ptr<const DrawDescription> plain;
    FrameKey plainKey;
};
