#include "scene/GraphLoading.h"

#include "base/Console.h"
#include "io/GraphFileReader.h"
#include "layout/TreeLayoutType.h"

Status loadGraphFile(Scene& scene, const std::string& path) {
    console::write("Reading " + path + " ...");
    Result<CompoundGraph> file = graphfile::read(path);
    if (!file) {
        console::write(" failed!\n");
        console::line(file.error().describe());
        return file.error();
    }
    scene.setGraph(std::move(file).value());
    console::line(" done!");

    console::step("Building Tree Layouts ...", [&] { scene.buildLayouts(); });
    console::step("Building Splines ...", [&] { scene.buildRoutes(); });

    // Every graph starts out radial, whatever was shown before.
    scene.applyLayout(static_cast<int32_t>(TreeLayoutType::Radial), 0.0f);
    scene.sampleCurves();
    if (const std::optional<float> strength = scene.appliedStrength()) {
        scene.applyStrength(*strength);
    }
    return {};
}
