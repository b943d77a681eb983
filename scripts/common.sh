# Shared by run.sh and test.sh: install the Debian packages that are missing,
# then configure and build into build/.

CHANORA_PACKAGES=(g++ cmake ninja-build pkg-config zlib1g-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev  # JSON for export
  clang libclang-rt-14-dev  # clang and its libFuzzer and sanitizer runtimes, for fuzz/
  qt6-base-dev qt6-qpa-plugins fonts-dejavu-core  # the window; its tests run on the offscreen platform
  poppler-utils  # pdftotext reads back what the window prints
  g++-mingw-w64-x86-64-posix libz-mingw-w64-dev wine64)  # the Windows build, its tests run under Wine

chanora_install_missing() {
  local missing=()
  for package in "${CHANORA_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Builds the targets named (everything when none is named).
chanora_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  if [ $# -eq 0 ]; then
    cmake --build build
  else
    cmake --build build --target "$@"
  fi
}

# chanora-cli and the tests for Windows, cross-built with mingw-w64 into
# build-win/; its ctest runs them under Wine and drives the Windows
# chanora-cli from build/ (which must be built first).
chanora_build_windows() {
  cmake -S . -B build-win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCHANORA_BUILD_APP=OFF -DCHANORA_BUILD_BENCH=OFF -DCHANORA_HOST_BUILD="$PWD/build" >/dev/null
  cmake --build build-win
}

# The engine and its tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-asan/ (no benchmarks, no window:
# Qt's own allocations would drown the reports).
chanora_build_sanitized() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHANORA_SANITIZE=ON -DCHANORA_BUILD_BENCH=OFF \
    -DCHANORA_BUILD_APP=OFF >/dev/null
  cmake --build build-asan
}

# The libFuzzer targets of fuzz/, a CMake project of their own built with
# clang and the sanitizers into build-fuzz/.
chanora_build_fuzz() {
  cmake -S fuzz -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ >/dev/null
  cmake --build build-fuzz
}

# Runs every fuzz target for $1 seconds over its corpus in fuzz/corpus/ (new
# units go to a scratch folder, so the committed corpus stays as it is). A
# crash, hang, leak or sanitizer report stops with the reproducer's path.
chanora_fuzz_smoke() {
  local seconds=$1 target dict scratch log
  mkdir -p build-fuzz/artifacts
  for target in reader compile packets packet_file console_filter; do
    case $target in
      reader | compile) dict=fuzz/list.dict ;;
      *) dict=fuzz/$target.dict ;;
    esac
    scratch=$(mktemp -d)
    log=build-fuzz/artifacts/$target.log
    if ! build-fuzz/${target}_fuzzer -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -dict="$dict" -artifact_prefix="build-fuzz/artifacts/$target-" "$scratch" "fuzz/corpus/$target" >"$log" 2>&1; then
      rm -rf "$scratch"
      tail -n 40 "$log"
      echo "fuzz $target: FAILED, reproducer and log in build-fuzz/artifacts/"
      return 1
    fi
    rm -rf "$scratch"
    echo "fuzz $target: $(sed -n 's/^stat::number_of_executed_units: *//p' "$log") runs in ${seconds} s, nothing found"
  done
}

# The Debian package of build/, made with CPack; fails unless it holds the
# programs, the menu entry and the icon.
chanora_package_check() {
  rm -f build/chanora_*.deb
  (cd build && cpack -G DEB >/dev/null)
  local deb contents
  deb=$(ls build/chanora_*.deb)
  contents=$(dpkg-deb -c "$deb")
  for file in ./usr/bin/chanora ./usr/bin/chanora-cli ./usr/share/applications/chanora.desktop \
    ./usr/share/icons/hicolor/scalable/apps/chanora.svg; do
    if ! grep -q " $file\$" <<<"$contents"; then
      echo "package: $file is missing from $deb"
      return 1
    fi
  done
  echo "package: $(basename "$deb") holds chanora, chanora-cli, the menu entry and the icon"
}
