#!/usr/bin/env bash
# Installs what is missing, builds, and checks a channel list (the demo list
# unless one is named).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
chanora_install_missing
chanora_build chanora-cli
exec build/chanora-cli check "${1:-examples/demo.txt}"
