#pragma once

#include "base/Result.h"
#include "tools/check/CheckReport.h"

#include <string>
#include <vector>

// The report as JSON, every violation listed:
//   {"cut": "...",
//    "cycles": {"groups": [{"nodes": [paths], "relations": I}],
//               "cut": [{"from": path, "to": path, "relations": n}]},
//    "rules": [{"line": L, "rule": "...", "severity": "error" or "warning",
//               "violations": N, "relations": [{"from": path, "to": path}]},
//              {"line": L, "rule": "ignore ...", "ignored": N}],
//    "warnings": ["FILE:LINE:COLUMN: ..."]}
std::string reportJson(const CheckReport& report);

// The violations an earlier report lists; an Error with the path, and the
// line and column where the text is no JSON, for a file that is not such
// a report.
Result<std::vector<NamedViolation>> readBaseline(const std::string& path);
