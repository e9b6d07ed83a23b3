#pragma once

#include "base/Result.h"
#include "scene/Scene.h"

#include <string>

// Reads a graph file into the scene, reporting each step on the console:
//   Reading <path> ... done!
//   Building Tree Layouts ... done!
//   Building Splines ... done!
// and ends with the radial layout applied and the curves sampled (and mixed
// again with the strength applied before, if any). A rejected file prints
// " failed!" and the error instead, and leaves the scene as it was.
Status loadGraphFile(Scene& scene, const std::string& path);
