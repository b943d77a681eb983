#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
chanora_install_missing
chanora_build
ctest --test-dir build --output-on-failure -j 2 --timeout 300
