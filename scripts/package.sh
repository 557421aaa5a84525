#!/usr/bin/env bash
# Builds the Debian package of Nomira into build-package/ and prints its path.
#
#   scripts/package.sh          install what is missing (scripts/setup.sh --no-build), configure
#                               build-package/ for /usr, build and run cpack -G DEB
#
# Install the result with   sudo apt install ./build-package/nomira_*.deb
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

case "${1:-}" in
"") ;;
-h | --help)
    sed -n '2,7s/^# \{0,1\}//p' "$0"
    exit 0
    ;;
*)
    echo "package.sh: unknown option '$1' (try --help)" >&2
    exit 2
    ;;
esac

scripts/setup.sh --no-build

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr \
    -DNOMIRA_BUILD_TESTS=OFF -DNOMIRA_BUILD_BENCH=OFF "${launcher[@]}"
cmake --build build-package -j"$(nproc)"
rm -f build-package/nomira_*.deb
(cd build-package && cpack -G DEB)
ls build-package/nomira_*.deb
