#!/usr/bin/env bash
# Installs the Debian 12 packages the sanitizer and fuzzing builds need on top of
# install-deps.sh: clang and its sanitizer and libFuzzer runtimes. Safe to run again.
set -euo pipefail

packages=(clang libclang-rt-14-dev)

source "$(dirname "$0")/ensure-packages.sh"
ensure_packages install-sanitize-deps "${packages[@]}"
