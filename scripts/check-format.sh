#!/usr/bin/env bash
# Fails when a C++ file of the project is not formatted as .clang-format says.
# Run clang-format -i on the files it names to fix them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror
echo "format check: every C++ file is formatted"
