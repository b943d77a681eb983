# Shared by run.sh and test.sh: install the Debian packages that are missing,
# then configure and build into build/.

CHANORA_PACKAGES=(g++ cmake ninja-build pkg-config zlib1g-dev googletest libgtest-dev libgmock-dev libbenchmark-dev)

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

chanora_build() {
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
  cmake --build build
}

# The engine and its tests once more with AddressSanitizer and
# UndefinedBehaviorSanitizer, into build-asan/ (no benchmarks there).
chanora_build_sanitized() {
  cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCHANORA_SANITIZE=ON -DCHANORA_BUILD_BENCH=OFF >/dev/null
  cmake --build build-asan
}
