#pragma once

#include <cmath>

// π as the layouts and the radial drawing use it: 4 arctan(1) in single
// precision.
inline const float singlePrecisionPi = static_cast<float>(4.0 * std::atan(1.0));
