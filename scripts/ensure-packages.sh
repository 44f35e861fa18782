#!/usr/bin/env bash
# ensure_packages LABEL PACKAGE...: installs those of the Debian packages that are missing.
# Sourced by the install scripts; safe to run again.

ensure_packages() {
  local label=$1
  shift
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  if [ ${#missing[@]} -eq 0 ]; then
    echo "$label: all $# packages present"
    return 0
  fi
  echo "$label: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update
  apt-get install -y --no-install-recommends "${missing[@]}"
}
