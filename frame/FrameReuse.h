#pragma once

#include "model/Scene.h"
#include "settings/ViewSettings.h"
#include "settings/ViewState.h"

#include <cstdint>
#include <optional>

// Everything a drawn frame depends on. Two equal keys give the same picture.
struct FrameKey {
    uint64_t sceneRevision = 0;
    // As the scene shows them: see frameKeyOf.
    ViewSettings settings;
    ViewState view;

    bool operator==(const FrameKey&) const = default;
};

FrameKey frameKeyOf(const Scene& scene, const ViewSettings& settings, const ViewState& view = {});

// Decides whether the frame drawn last still shows the scene, so that an
// unchanged scene is not drawn again.
class FrameReuse {
public:
    bool needsDrawing(const FrameKey& key) const { return !lastDrawn || !(*lastDrawn == key); }
    void markDrawn(const FrameKey& key) {
        lastDrawn = key;
        ++framesDrawn;
    }
    // The next frame is drawn whatever its key, as after the frame was lost.
    void forget() { lastDrawn.reset(); }
    int64_t drawnCount() const { return framesDrawn; }

private:
    std::optional<FrameKey> lastDrawn;
    int64_t framesDrawn = 0;
};
