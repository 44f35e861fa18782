#!/usr/bin/env bash
# Builds everything (programs, data folder, tests, fuzz targets) with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-sanitize/ and runs the whole test suite there.
# Usage: scripts/sanitize.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/install-sanitize-deps.sh
source scripts/sanitizer-env.sh
# -O1 keeps the instrumented suite quick enough while stack traces stay readable.
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g" -DCMAKE_CXX_COMPILER=clang++ \
  -DVELMORA_SANITIZE=ON -DVELMORA_FUZZ=ON "$@"
cmake --build build-sanitize --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build-sanitize --output-on-failure --parallel "$(nproc)"
