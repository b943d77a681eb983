#!/usr/bin/env bash
# Renders the main window with the demo list to docs/screenshot.png, without a
# display (Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
chanora_build chanora
XDG_CONFIG_HOME=$(mktemp -d) QT_QPA_PLATFORM=offscreen \
  build/chanora --screenshot docs/screenshot.png examples/demo.txt
echo "docs/screenshot.png written"
