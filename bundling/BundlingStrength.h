#pragma once

#include "bundling/CurveSamples.h"

// Mixes the edges in range by the bundling strength (0 straight, 1 the full
// curve) into curves.points and measures each polyline into curves.arcLength.
// Returns the range of those lengths, merged into `so far`; the caller
// stores the overall range in curves.
LengthRange mixCurves(float strength, const CurveSamples& samples, EdgeRange range,
                      MixedCurves& curves, LengthRange soFar);
