#pragma once

#include "tools/check/CheckReport.h"

#include <string>

// The report for standard output:
//   Depth K of D: B bundles of R relations
//   Cycles: G groups of N nodes; I relations inside them, C to cut
//   FILE:LINE:COLUMN: warning: ...
//   FILE:LINE: RULE: N violations           (with a baseline: ", K new")
//     a.b.C -> x.y.Z                        (ten at most, the new ones with a baseline)
//     ... and M more
//   FILE:LINE: ignore FROM -> TO: N relations left out
//   Rules: V violations (E errors, W warnings) in R relations
//   Baseline FILE: K new violations (E errors, W warnings), F fixed
//     RULE: a.b.C -> x.y.Z                  (fixed ones, ten at most)
std::string reportText(const CheckReport& report);
