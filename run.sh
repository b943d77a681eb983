#!/usr/bin/env bash
# Installs what is missing, builds, and opens the window on a channel list
# (the demo list unless one is named). Without a display it checks the list
# with chanora-cli instead.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
chanora_install_missing
list=${1:-examples/demo.txt}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  chanora_build chanora-cli
  echo "No display to open the window on; checking $list with chanora-cli instead."
  exec build/chanora-cli check "$list"
fi
chanora_build chanora
exec build/chanora "$list"
