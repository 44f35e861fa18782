#!/usr/bin/env bash
# The main job: set up, build, and run the batch tool on the bundled sample material.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
./build/bin/velmora-make catalogue
