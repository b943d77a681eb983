#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/common.sh
chanora_install_missing
scripts/check_layering.sh
chanora_build
ctest --test-dir build --output-on-failure -j 2 --timeout 300
chanora_package_check

# The Windows build under Wine; CHANORA_SKIP_WINDOWS=1 leaves it out.
if [ "${CHANORA_SKIP_WINDOWS:-0}" != 1 ]; then
  chanora_build_windows
  ctest --test-dir build-win --output-on-failure -j 2 --timeout 300
fi

# The same tests under the sanitizers: any report fails the run.
chanora_build_sanitized
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j 2 --timeout 600

# Fuzz smoke: each libFuzzer target of fuzz/ for a few seconds over its corpus.
chanora_build_fuzz
chanora_fuzz_smoke 5
