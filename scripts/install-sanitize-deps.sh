#!/usr/bin/env bash
# Installs the Debian 12 packages the sanitizer and fuzzing builds need on top of
# install-deps.sh: clang and its sanitizer and libFuzzer runtimes. Safe to run again.
set -euo pipefail

packages=(clang libclang-rt-14-dev)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-sanitize-deps: all ${#packages[@]} packages present"
  exit 0
fi

echo "install-sanitize-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
