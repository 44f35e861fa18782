#!/usr/bin/env bash
# The main job: set up, build, and make a music-video album from the bundled sample material
# (painted sample photos, a sample song of our own and its lyrics); prints where the album file is.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
mkdir -p build/albums
./build/bin/velmora-make make \
  --music "build/bin/yinyuegeciwenjian/甜蜜蜜.mp3" \
  --lyrics "build/bin/yinyuegeciwenjian/甜蜜蜜.lrc" \
  --type MP4 --quality biaoqing --name sample_album --overwrite \
  --out build/albums build/bin/samples/photos
