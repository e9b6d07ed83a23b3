#!/usr/bin/env bash
# Fails when a C++ source of ours differs from what .clang-format makes of it.
set -euo pipefail
cd "$(dirname "$0")/.."
mapfile -t sources < <(git ls-files --cached --others --exclude-standard '*.cpp' '*.h')
clang-format --dry-run -Werror "${sources[@]}"
echo "Formatting: ${#sources[@]} files follow .clang-format."
