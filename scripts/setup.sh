#!/usr/bin/env bash
# Prepares a Debian 12 machine for Nomira and builds it.
#
#   scripts/setup.sh          install what is missing, build into build/
#   scripts/setup.sh --asan   the same, but build into build-asan/ with AddressSanitizer and
#                             UndefinedBehaviorSanitizer (benchmarks left out)
#   scripts/setup.sh --no-build   only install what is missing
#
# Runs as root, or through sudo when that is available. Only packages that are not yet installed
# are installed, and the package lists are refreshed only when something is missing.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

build_dir=build
cmake_flags=()
build=1
for arg in "$@"; do
    case "$arg" in
    --asan)
        build_dir=build-asan
        cmake_flags=(-DNOMIRA_SANITIZE=ON -DNOMIRA_BUILD_BENCH=OFF)
        ;;
    --no-build) build=0 ;;
    -h | --help)
        sed -n '2,10s/^# \{0,1\}//p' "$0"
        exit 0
        ;;
    *)
        echo "setup.sh: unknown option '$arg' (try --help)" >&2
        exit 2
        ;;
    esac
done

packages=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev libgl-dev
    libtiff-dev libtiff-tools xdg-utils libleptonica-dev libpoppler-cpp-dev libpugixml-dev nlohmann-json3-dev
    libtesseract-dev tesseract-ocr tesseract-ocr-jpn tesseract-ocr-eng libzxing-dev
    fonts-ipafont-gothic hp2xx qt6-translations-l10n
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth imagemagick jq openbox xdotool
    dpkg-dev desktop-file-utils appstream help2man librsvg2-bin lintian devscripts bash-completion
    clang-14 libclang-rt-14-dev
)

missing=()
for pkg in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$pkg")
    fi
done

if ((${#missing[@]} > 0)); then
    echo "setup.sh: installing ${missing[*]}"
    if [[ $(id -u) -eq 0 ]]; then
        as_root=()
    elif command -v sudo >/dev/null 2>&1; then
        as_root=(sudo)
    else
        echo "setup.sh: these packages are missing and neither root nor sudo is available:" >&2
        echo "  ${missing[*]}" >&2
        exit 1
    fi
    "${as_root[@]}" apt-get update
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
fi

((build)) || exit 0
cmake -S . -B "$build_dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${cmake_flags[@]}"
cmake --build "$build_dir" -j"$(nproc)"
