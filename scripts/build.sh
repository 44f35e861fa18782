#!/usr/bin/env bash
# Installs the dependencies, configures and builds Velmora (programs, data folder, tests,
# benchmarks) into build/. Usage: scripts/build.sh [extra cmake arguments]
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@"
cmake --build build --parallel "$(nproc)"
